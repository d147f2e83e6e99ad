#include "Sfx.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "Dsp.h"
#include "Wav.h"

namespace {

// Each effect is short, starts and ends silent, and is kept soft at the
// top end: they repeat often during play.

Buffer Make(float seconds) { return Buffer(size_t(Samples(seconds)), 0.0f); }

Buffer Anvil()
{
    Buffer b = Make(0.8f);
    const float partials[][3] = {{523, 0.55f, 1.0f}, {1247, 0.35f, 0.6f}, {1612, 0.28f, 0.45f},
                                 {2231, 0.18f, 0.3f}, {2876, 0.12f, 0.22f}, {3510, 0.08f, 0.15f}};
    Noise n(3);
    Svf lp;
    lp.Set(3000, 0.7f);
    for (size_t i = 0; i < b.size(); ++i) {
        const float t = i / float(kRate);
        float v = 0;
        for (const auto& p : partials)
            v += p[2] * std::sin(kTwoPi * p[0] * t) * Decay(t, p[1]);
        v += 0.6f * lp.Low(n.Next()) * Decay(t, 0.012f);
        b[i] = v;
    }
    return b;
}

Buffer Beep()
{
    Buffer b = Make(0.18f);
    Osc o;
    Svf lp;
    lp.Set(2200, 0.7f);
    for (size_t i = 0; i < b.size(); ++i) {
        const float t = i / float(kRate);
        const float hz = t < 0.08f ? 880 : 660;
        b[i] = lp.Low(o.Pulse(hz, 0.5f)) * Adsr(t, 0.004f, 0.03f, 0.7f, 0.02f, t < 0.08f ? 0.07f : 0.15f);
    }
    return b;
}

Buffer Birth()
{
    Buffer b = Make(0.36f);
    Osc o;
    Svf bp;
    for (size_t i = 0; i < b.size(); ++i) {
        const float t = i / float(kRate);
        const float hz = 170 + 380 * t / 0.36f + 25 * std::sin(kTwoPi * 18 * t);
        bp.Set(500 + 1400 * (0.5f + 0.5f * std::sin(kTwoPi * 7 * t)), 3);
        b[i] = bp.Band(o.Saw(hz)) * Adsr(t, 0.02f, 0.1f, 0.6f, 0.1f, 0.26f);
    }
    return b;
}

Buffer Crash()
{
    Buffer b = Make(1.1f);
    Noise n(5);
    Svf lp;
    Osc thump;
    for (size_t i = 0; i < b.size(); ++i) {
        const float t = i / float(kRate);
        lp.Set(200 + 4200 * Decay(t, 0.18f), 0.8f);
        const float rumble = lp.Low(n.Next()) * Decay(t, 0.35f);
        b[i] = rumble + 0.8f * thump.Sine(40 + 50 * Decay(t, 0.08f)) * Decay(t, 0.3f);
    }
    return b;
}

Buffer Go()
{
    Buffer b = Make(0.6f);
    const float notes[3] = {72, 76, 84};
    for (int k = 0; k < 3; ++k) {
        const int start = Samples(k * 0.07f);
        const float hz = MidiHz(notes[k]);
        for (size_t i = start; i < b.size(); ++i) {
            const float t = (i - start) / float(kRate);
            const float index = 2.5f * Decay(t, 0.15f);
            const float mod = std::sin(kTwoPi * hz * 2 * t);
            b[i] += 0.5f * std::sin(kTwoPi * hz * t + index * mod) * Decay(t, k == 2 ? 0.25f : 0.1f);
        }
    }
    return b;
}

Buffer Hatch()
{
    Buffer b = Make(0.24f);
    Noise n(7);
    Svf hi, lo;
    hi.Set(2600, 1.5f);
    lo.Set(500, 1.2f);
    const float cracks[3] = {0.0f, 0.035f, 0.075f};
    for (size_t i = 0; i < b.size(); ++i) {
        const float t = i / float(kRate);
        float env = 0;
        for (float c : cracks)
            if (t >= c)
                env += Decay(t - c, 0.012f);
        const float x = n.Next();
        b[i] = 0.8f * hi.Band(x) * env + 0.6f * lo.Band(x) * Decay(t, 0.07f);
    }
    return b;
}

Buffer KillAlien()
{
    Buffer b = Make(0.32f);
    Noise n(9);
    Svf lp;
    Osc o;
    for (size_t i = 0; i < b.size(); ++i) {
        const float t = i / float(kRate);
        lp.Set(300 + 2500 * Decay(t, 0.04f), 1.5f);
        b[i] = 0.7f * lp.Low(n.Next()) * Decay(t, 0.08f) + 0.7f * o.Sine(80 + 360 * Decay(t, 0.05f)) * Decay(t, 0.1f);
    }
    return b;
}

Buffer Laser()
{
    Buffer b = Make(0.2f);
    Osc o;
    Svf lp;
    lp.Set(2800, 0.8f);
    for (size_t i = 0; i < b.size(); ++i) {
        const float t = i / float(kRate);
        const float hz = 300 + 1500 * Decay(t, 0.045f);
        b[i] = lp.Low(o.Pulse(hz, 0.3f)) * Adsr(t, 0.003f, 0.05f, 0.5f, 0.1f, 0.09f);
    }
    return b;
}

Buffer LosePaddle()
{
    Buffer b = Make(0.65f);
    Noise n(11);
    Svf hp;
    hp.Set(3500, 0.7f);
    Osc o;
    for (size_t i = 0; i < b.size(); ++i) {
        const float t = i / float(kRate);
        const float crackle = (n.Next() > 0.96f) ? 1.0f : 0.3f;
        const float sizzle = hp.High(n.Next()) * crackle * Decay(t, 0.25f);
        b[i] = 0.6f * sizzle + 0.6f * o.Triangle(600 * std::pow(0.25f, t / 0.6f)) * Adsr(t, 0.01f, 0.1f, 0.7f, 0.2f, 0.4f);
    }
    return b;
}

Buffer Ow()
{
    Buffer b = Make(0.42f);
    Osc o;
    Svf f1, f2;
    for (size_t i = 0; i < b.size(); ++i) {
        const float t = i / float(kRate);
        const float u = t / 0.42f;
        const float pitch = 230 - 90 * u + 6 * std::sin(kTwoPi * 6 * t);
        f1.Set(750 - 380 * u, 6);
        f2.Set(1250 - 450 * u, 7);
        const float src = o.Saw(pitch);
        b[i] = (f1.Band(src) + 0.6f * f2.Band(src)) * Adsr(t, 0.03f, 0.1f, 0.8f, 0.12f, 0.3f);
    }
    return b;
}

Buffer Push()
{
    Buffer b = Make(0.16f);
    Osc o;
    Noise n(13);
    Svf lp;
    lp.Set(1200, 0.7f);
    for (size_t i = 0; i < b.size(); ++i) {
        const float t = i / float(kRate);
        b[i] = o.Sine(90 + 140 * Decay(t, 0.03f)) * Decay(t, 0.05f) + 0.3f * lp.Low(n.Next()) * Decay(t, 0.01f);
    }
    return b;
}

struct Effect {
    const char* section;
    const char* tag;
    Buffer (*make)();
    float peak; // loudness relative to the others
};

const Effect kEffects[] = {
    {"anvil", "ANVIL_SFX", Anvil, 0.8f},          {"beep", "BEEP_SFX", Beep, 0.5f},
    {"birth", "BIRTH_SFX", Birth, 0.6f},          {"crash", "CRASH_SFX", Crash, 0.9f},
    {"go", "GO_SFX", Go, 0.7f},                   {"hatch", "HATCH_SFX", Hatch, 0.7f},
    {"kill-alien", "KILL_ALIEN_SFX", KillAlien, 0.75f}, {"laser", "LASER_SFX", Laser, 0.45f},
    {"losepaddle", "LOSEPADDLE_SFX", LosePaddle, 0.7f}, {"ow", "OW_SFX", Ow, 0.8f},
    {"push", "PUSH_SFX", Push, 0.6f},
};

} // namespace

bool MakeSoundEffects(const std::string& dataDir)
{
    const std::filesystem::path dir = std::filesystem::path(dataDir) / "sfx";
    std::filesystem::create_directories(dir);
    for (const Effect& e : kEffects) {
        Buffer b = e.make();
        Normalize(b, e.peak);
        Edges(b, 0.002f, 0.02f);
        if (!WriteWav((dir / (std::string(e.section) + ".wav")).string(), b))
            return false;
    }
    const std::string path = (std::filesystem::path(dataDir) / "sfx-1.ykd").string();
    std::ofstream out(path);
    out << "# Generated by yk-sound; edit the generator, not this file.\n";
    out << "[guidelines]\ntype = sound\nassetdir = data\\sfx\ndefaultext = wav\n";
    int i = 1;
    for (const Effect& e : kEffects)
        out << "asset" << i++ << " = " << e.section << "\n";
    for (const Effect& e : kEffects)
        out << "\n[" << e.section << "]\ntag = " << e.tag << "\n";
    out.close();
    if (!out) {
        std::fprintf(stderr, "yk-sound: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}
