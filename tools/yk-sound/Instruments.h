#pragma once
#include "Dsp.h"

// The voices the tracks are played on.
enum class Inst {
    Bass, WobbleBass, Pluck, Pad, Lead, Brass, Bell, Choir, Flute, Whoosh,
    Kick, Snare, Hat, OpenHat, Clap, Tom, Timpani, Shaker,
};

// One note: pitch as a MIDI number, length in samples (the voice may ring
// on after it), velocity 0..1. seed varies noise-based voices.
Buffer RenderNote(Inst inst, float pitch, int length, float velocity, uint32_t seed);
