#include "Instruments.h"

#include <algorithm>

namespace {

Buffer Bass(float hz, int len, float vel, bool wobble)
{
    const float hold = len / float(kRate);
    Buffer b(len + Samples(0.08f));
    Osc saw, sub;
    Svf lp;
    for (size_t i = 0; i < b.size(); ++i) {
        const float t = i / float(kRate);
        const float lfo = wobble ? 0.5f + 0.5f * std::sin(kTwoPi * 3.0f * t) : 0.0f;
        lp.Set(150 + (900 + 1400 * lfo) * Decay(t, wobble ? 1.0f : 0.09f) * vel + 120 * lfo, 1.6f);
        const float x = saw.Saw(hz) * 0.7f + sub.Sine(hz * 0.5f) * 0.6f;
        b[i] = lp.Low(x) * Adsr(t, 0.004f, 0.12f, 0.75f, 0.06f, hold) * vel;
    }
    return b;
}

// Karplus-Strong plucked string.
Buffer Pluck(float hz, int len, float vel, uint32_t seed)
{
    Buffer b(len + Samples(0.6f));
    const int period = std::max(2, int(kRate / hz));
    Buffer line(period);
    Noise n(seed);
    Svf lp;
    lp.Set(hz * 6, 0.7f);
    for (float& v : line)
        v = lp.Low(n.Next());
    const float hold = len / float(kRate);
    size_t k = 0;
    for (size_t i = 0; i < b.size(); ++i) {
        const float t = i / float(kRate);
        const size_t j = (k + 1) % period;
        const float out = line[k];
        line[k] = 0.497f * (line[k] + line[j]);
        k = j;
        const float release = t > hold + 0.25f ? std::max(0.0f, 1 - (t - hold - 0.25f) / 0.3f) : 1.0f;
        b[i] = out * vel * release * 1.4f;
    }
    return b;
}

Buffer Pad(float hz, int len, float vel)
{
    const float hold = len / float(kRate);
    Buffer b(len + Samples(0.7f));
    Osc o[3];
    const float detune[3] = {0.9965f, 1.0f, 1.0035f};
    for (int i = 0; i < 3; ++i)
        o[i].phase = i * 0.33f;
    Svf lp;
    for (size_t i = 0; i < b.size(); ++i) {
        const float t = i / float(kRate);
        lp.Set(900 + 500 * std::sin(kTwoPi * 0.3f * t), 0.8f);
        float x = 0;
        for (int k = 0; k < 3; ++k)
            x += o[k].Saw(hz * detune[k]);
        b[i] = lp.Low(x / 3) * Adsr(t, 0.35f, 0.5f, 0.8f, 0.6f, hold) * vel;
    }
    return b;
}

Buffer Lead(float hz, int len, float vel)
{
    const float hold = len / float(kRate);
    Buffer b(len + Samples(0.1f));
    Osc o;
    Svf lp;
    lp.Set(2400, 1.1f);
    for (size_t i = 0; i < b.size(); ++i) {
        const float t = i / float(kRate);
        const float vib = 1 + 0.012f * Smooth01((t - 0.15f) / 0.2f) * std::sin(kTwoPi * 5.5f * t);
        b[i] = lp.Low(o.Pulse(hz * vib, 0.35f)) * Adsr(t, 0.01f, 0.12f, 0.7f, 0.08f, hold) * vel;
    }
    return b;
}

Buffer Brass(float hz, int len, float vel)
{
    const float hold = len / float(kRate);
    Buffer b(len + Samples(0.15f));
    Osc a, c;
    Svf lp;
    for (size_t i = 0; i < b.size(); ++i) {
        const float t = i / float(kRate);
        const float env = Adsr(t, 0.04f, 0.2f, 0.8f, 0.12f, hold);
        lp.Set(300 + 2600 * env * vel, 1.0f);
        const float vib = 1 + 0.006f * std::sin(kTwoPi * 5 * t) * Smooth01(t / 0.3f);
        b[i] = lp.Low(0.5f * (a.Saw(hz * vib) + c.Saw(hz * 1.004f * vib))) * env * vel;
    }
    return b;
}

Buffer Bell(float hz, int len, float vel)
{
    Buffer b(len + Samples(1.2f));
    for (size_t i = 0; i < b.size(); ++i) {
        const float t = i / float(kRate);
        const float index = 2.2f * Decay(t, 0.35f);
        b[i] = std::sin(kTwoPi * hz * t + index * std::sin(kTwoPi * hz * 3.5f * t)) * Decay(t, 0.9f) * vel * 0.7f;
    }
    return b;
}

Buffer Choir(float hz, int len, float vel)
{
    const float hold = len / float(kRate);
    Buffer b(len + Samples(0.6f));
    Osc o, o2;
    Svf f1, f2;
    f1.Set(720, 5);
    f2.Set(1150, 6);
    for (size_t i = 0; i < b.size(); ++i) {
        const float t = i / float(kRate);
        const float vib = 1 + 0.008f * std::sin(kTwoPi * 4.8f * t);
        const float src = 0.5f * (o.Saw(hz * vib) + o2.Saw(hz * 1.006f * vib));
        b[i] = (f1.Band(src) + 0.7f * f2.Band(src)) * Adsr(t, 0.3f, 0.3f, 0.85f, 0.5f, hold) * vel * 1.6f;
    }
    return b;
}

Buffer Flute(float hz, int len, float vel, uint32_t seed)
{
    const float hold = len / float(kRate);
    Buffer b(len + Samples(0.12f));
    Osc o, o2;
    Noise n(seed);
    Svf bp;
    bp.Set(hz * 2, 2);
    for (size_t i = 0; i < b.size(); ++i) {
        const float t = i / float(kRate);
        const float vib = 1 + 0.01f * Smooth01((t - 0.2f) / 0.3f) * std::sin(kTwoPi * 5 * t);
        const float x = o.Sine(hz * vib) + 0.18f * o2.Sine(hz * 2 * vib) + 0.12f * bp.Band(n.Next());
        b[i] = x * Adsr(t, 0.05f, 0.1f, 0.85f, 0.1f, hold) * vel * 0.8f;
    }
    return b;
}

Buffer Whoosh(int len, float vel, uint32_t seed)
{
    const float hold = len / float(kRate);
    Buffer b(len + Samples(0.4f));
    Noise n(seed);
    Svf bp;
    for (size_t i = 0; i < b.size(); ++i) {
        const float t = i / float(kRate);
        const float u = std::min(t / std::max(hold, 0.1f), 1.0f);
        bp.Set(400 + 2400 * std::sin(3.14159f * u), 2.5f);
        b[i] = bp.Band(n.Next()) * Adsr(t, hold * 0.5f, 0.01f, 1, 0.4f, hold) * vel;
    }
    return b;
}

Buffer Drum(Inst inst, float pitch, float vel, uint32_t seed)
{
    const float seconds = inst == Inst::Timpani ? 1.4f : inst == Inst::OpenHat ? 0.35f : 0.45f;
    Buffer b(Samples(seconds));
    Noise n(seed);
    Svf f;
    Osc o, o2, o3;
    const float hz = MidiHz(pitch);
    switch (inst) {
    case Inst::Hat: case Inst::OpenHat: f.Set(7000, 0.8f); break;
    case Inst::Snare: f.Set(1900, 0.9f); break;
    case Inst::Clap: f.Set(1300, 1.2f); break;
    case Inst::Shaker: f.Set(5200, 1.0f); break;
    default: f.Set(3000, 0.7f); break;
    }
    for (size_t i = 0; i < b.size(); ++i) {
        const float t = i / float(kRate);
        const float x = n.Next();
        float v = 0;
        switch (inst) {
        case Inst::Kick: v = o.Sine(45 + 110 * Decay(t, 0.035f)) * Decay(t, 0.22f) + 0.3f * f.Low(x) * Decay(t, 0.004f); break;
        case Inst::Snare: v = 0.8f * f.Band(x) * Decay(t, 0.11f) + 0.6f * o.Sine(190 * (1 + 0.3f * Decay(t, 0.02f))) * Decay(t, 0.05f); break;
        case Inst::Hat: v = f.High(x) * Decay(t, 0.028f) * 0.7f; break;
        case Inst::OpenHat: v = f.High(x) * Decay(t, 0.14f) * 0.5f; break;
        case Inst::Shaker: v = f.Band(x) * Adsr(t, 0.012f, 0.05f, 0, 0.01f, 0.06f) * 0.8f; break;
        case Inst::Clap: {
            float env = 0;
            for (float c : {0.0f, 0.011f, 0.022f})
                if (t >= c)
                    env += Decay(t - c, c < 0.02f ? 0.006f : 0.09f);
            v = f.Band(x) * env;
            break;
        }
        case Inst::Tom: v = o.Sine(hz * (1 + 0.5f * Decay(t, 0.06f))) * Decay(t, 0.25f); break;
        default: // timpani: a low drum with a little ring
            v = (o.Sine(hz) + 0.5f * o2.Sine(hz * 1.5f) * Decay(t, 0.3f) + 0.3f * o3.Sine(hz * 1.98f) * Decay(t, 0.4f)) *
                Decay(t, 0.7f) + 0.2f * f.Low(x) * Decay(t, 0.02f);
            break;
        }
        b[i] = v * vel;
    }
    return b;
}

} // namespace

Buffer RenderNote(Inst inst, float pitch, int length, float velocity, uint32_t seed)
{
    const float hz = MidiHz(pitch);
    switch (inst) {
    case Inst::Bass: return Bass(hz, length, velocity, false);
    case Inst::WobbleBass: return Bass(hz, length, velocity, true);
    case Inst::Pluck: return Pluck(hz, length, velocity, seed);
    case Inst::Pad: return Pad(hz, length, velocity);
    case Inst::Lead: return Lead(hz, length, velocity);
    case Inst::Brass: return Brass(hz, length, velocity);
    case Inst::Bell: return Bell(hz, length, velocity);
    case Inst::Choir: return Choir(hz, length, velocity);
    case Inst::Flute: return Flute(hz, length, velocity, seed);
    case Inst::Whoosh: return Whoosh(length, velocity, seed);
    default: return Drum(inst, pitch, velocity, seed);
    }
}
