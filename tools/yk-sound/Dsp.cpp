#include "Dsp.h"

#include <algorithm>

namespace {

float PolyBlep(float t, float dt)
{
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1;
    }
    if (t > 1 - dt) {
        t = (t - 1) / dt;
        return t * t + t + t + 1;
    }
    return 0;
}

} // namespace

float Osc::Saw(float hz)
{
    const float dt = hz / kRate;
    float v = 2 * phase - 1 - PolyBlep(phase, dt);
    phase += dt;
    phase -= std::floor(phase);
    return v;
}

float Osc::Pulse(float hz, float width)
{
    const float dt = hz / kRate;
    float v = phase < width ? 1.0f : -1.0f;
    v += PolyBlep(phase, dt);
    float t2 = phase + 1 - width;
    t2 -= std::floor(t2);
    v -= PolyBlep(t2, dt);
    phase += dt;
    phase -= std::floor(phase);
    return v;
}

float Osc::Sine(float hz)
{
    const float v = std::sin(kTwoPi * phase);
    phase += hz / kRate;
    phase -= std::floor(phase);
    return v;
}

float Osc::Triangle(float hz)
{
    const float v = 1 - 4 * std::fabs(phase - 0.5f);
    phase += hz / kRate;
    phase -= std::floor(phase);
    return v;
}

void Svf::Set(float hz, float q)
{
    hz = std::clamp(hz, 20.0f, kRate * 0.45f);
    g = std::tan(3.14159265f * hz / kRate);
    k = 1 / std::max(q, 0.3f);
}

void Svf::Tick(float x)
{
    const float a1 = 1 / (1 + g * (g + k)), a2 = g * a1, a3 = g * a2;
    const float v3 = x - ic2;
    const float v1 = a1 * ic1 + a2 * v3;
    const float v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2 * v1 - ic1;
    ic2 = 2 * v2 - ic2;
    low = v2;
    band = v1;
    high = x - k * v1 - v2;
}

float Adsr(float t, float a, float d, float s, float r, float hold)
{
    auto held = [&](float u) {
        if (u < a)
            return u / a;
        if (u < a + d)
            return 1 - (1 - s) * (u - a) / d;
        return s;
    };
    if (t < hold)
        return held(t);
    const float level = held(hold);
    return t < hold + r ? level * (1 - (t - hold) / r) : 0.0f;
}

void Normalize(Buffer& b, float peak)
{
    float m = 0;
    for (float v : b)
        m = std::max(m, std::fabs(v));
    if (m > 0)
        for (float& v : b)
            v *= peak / m;
}

void Edges(Buffer& b, float fadeIn, float fadeOut)
{
    const int in = std::min<int>(Samples(fadeIn), int(b.size())), out = std::min<int>(Samples(fadeOut), int(b.size()));
    for (int i = 0; i < in; ++i)
        b[i] *= float(i) / in;
    for (int i = 0; i < out; ++i)
        b[b.size() - 1 - i] *= float(i) / out;
}
