#include "audio/AlsaErrors.h"

#include <alsa/asoundlib.h>

namespace {
void Ignore(const char*, int, const char*, int, const char*, ...) {}
} // namespace

void QuietAlsaErrors() { snd_lib_error_set_handler(Ignore); }
