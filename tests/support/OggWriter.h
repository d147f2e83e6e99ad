#pragma once
#include <string>

// Encodes a test signal as an Ogg Vorbis file held in memory. A sine wave
// compresses to a few kilobytes a second; noise gives bulky files that
// span several blocks.
struct OggSignal {
    int frames = 4410;   // frames of sound
    int channels = 2;    // 1 or 2
    int rate = 22050;    // frames per second
    bool noise = false;  // white noise instead of a sine wave
    float quality = 0.1f; // vorbisenc VBR quality, -0.1..1
};

std::string MakeOgg(const OggSignal& signal);
