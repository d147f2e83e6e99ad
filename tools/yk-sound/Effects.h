#pragma once
#include "Dsp.h"

// Effects on a looping buffer: each runs over the loop twice and keeps the
// second pass, so that its state at the end matches the start. The first
// two return only the effect's own (wet) signal.
Buffer LoopEcho(const Buffer& b, int delay, float feedback);
Buffer LoopReverb(const Buffer& b);
void LoopHighpass(Buffer& b, float hz);
// Gentle saturation, then a peak level.
void Master(Buffer& b, float peak);
