#pragma once
#include <string>

#include "Dsp.h"

// Writes a mono 16-bit PCM RIFF file, the kind Allegro's load_wav reads.
bool WriteWav(const std::string& path, const Buffer& samples);
