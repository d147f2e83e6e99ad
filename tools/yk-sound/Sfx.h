#pragma once
#include <string>

// Writes every sound effect as a WAV file into DATADIR/sfx and the set
// "sfx-1" that names them; false with a message on failure.
bool MakeSoundEffects(const std::string& dataDir);
