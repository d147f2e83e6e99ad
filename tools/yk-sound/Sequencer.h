#pragma once
#include "Dsp.h"
#include "Song.h"

// Plays a song into a buffer that loops seamlessly: notes and effect tails
// that run past the end wrap around to the start.
Buffer RenderSong(const Song& song);
