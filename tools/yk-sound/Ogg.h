#pragma once
#include <string>

#include "Dsp.h"

// Encodes mono samples as Ogg Vorbis; false with a message on failure.
bool WriteOgg(const std::string& path, const Buffer& samples, float quality);
