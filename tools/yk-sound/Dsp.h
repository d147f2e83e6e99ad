#pragma once
#include <cmath>
#include <cstdint>
#include <vector>

// Small building blocks of the synthesizer. Everything is mono at 22050 Hz,
// which keeps generation and Ogg encoding fast.
constexpr int kRate = 22050;
constexpr float kTwoPi = 6.28318531f;

using Buffer = std::vector<float>;

inline float MidiHz(float note) { return 440.0f * std::pow(2.0f, (note - 69) / 12.0f); }
inline int Samples(float seconds) { return int(seconds * kRate); }

// Deterministic white noise in -1..1.
class Noise {
public:
    explicit Noise(uint32_t seed = 1) : state(seed * 747796405u + 2891336453u) {}
    float Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return (state & 0xFFFFFF) / float(0x800000) - 1.0f;
    }

private:
    uint32_t state;
};

// Band-limited saw and pulse (PolyBLEP), so that bright notes do not alias.
class Osc {
public:
    float Saw(float hz);
    float Pulse(float hz, float width);
    float Sine(float hz);
    float Triangle(float hz);
    float phase = 0;
};

// State-variable filter (Zavalishin's trapezoidal form): stable when swept.
class Svf {
public:
    void Set(float hz, float q);
    float Low(float x) { Tick(x); return low; }
    float Band(float x) { Tick(x); return band; }
    float High(float x) { Tick(x); return high; }

private:
    void Tick(float x);
    float g = 0.1f, k = 1.4f, ic1 = 0, ic2 = 0;
    float low = 0, band = 0, high = 0;
};

// Attack-decay-sustain-release level at time t (seconds) of a note held for hold seconds.
float Adsr(float t, float a, float d, float s, float r, float hold);
// Exponential fall from 1 with the given time constant.
inline float Decay(float t, float tau) { return std::exp(-t / tau); }

inline float Smooth01(float v)
{
    v = v < 0 ? 0 : (v > 1 ? 1 : v);
    return v * v * (3 - 2 * v);
}

// Scales a buffer so that its peak is the given level.
void Normalize(Buffer& b, float peak);
// Short fades at both ends so that a sound starts and stops without a click.
void Edges(Buffer& b, float fadeIn, float fadeOut);
