#pragma once

// ALSA's library reports each device it fails to find on stderr, a dozen
// lines per attempt on a machine without a sound card. Only the game's own
// one-line messages belong there, so its error handler is silenced before
// the sound drivers are tried.
void QuietAlsaErrors();
