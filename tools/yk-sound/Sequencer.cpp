#include "Sequencer.h"

#include <algorithm>

#include "Effects.h"

namespace {

constexpr int kStepsPerBar = 16;

// Buses: the melodic one gets the echo; pads and melody feed the reverb.
struct Mix {
    explicit Mix(size_t n) : dry(n), echo(n), reverb(n) {}
    Buffer dry, echo, reverb;
};

class Player {
public:
    explicit Player(const Song& s)
        : song(s), step(int(kRate * 60.0f / s.bpm / 4 + 0.5f)),
          bars(int(s.sections.size()) * s.sectionBars), mix(size_t(bars) * kStepsPerBar * step)
    {
    }

    Buffer Play();

private:
    int Degree(int deg) const
    {
        const int n = int(song.scale.size());
        const int oct = deg >= 0 ? deg / n : -((-deg + n - 1) / n);
        return song.scale[size_t(deg - oct * n)] + 12 * oct;
    }
    int Chord(int bar) const { return song.chords[size_t(bar) % song.chords.size()]; }
    const std::string& Layers(int bar) const { return song.sections[size_t(bar / song.sectionBars)]; }
    bool Has(int bar, char layer) const { return Layers(bar).find(layer) != std::string::npos; }
    int Start(int absStep) const
    {
        const int lag = (absStep % 2) ? int(song.swing * step) : 0;
        return absStep * step + lag;
    }
    void Add(Buffer& bus, int start, const Buffer& note, float gain);
    void Note(Inst inst, int absStep, int lenSteps, float pitch, float vel, float gain, float send, bool echo);
    void Drums(int bar);
    void Bass(int bar);
    void Harmony(int bar);
    void Lead(int bar);
    void Fixed();

    const Song& song;
    int step;   // samples per sixteenth
    int bars;
    Mix mix;
};

void Player::Add(Buffer& bus, int start, const Buffer& note, float gain)
{
    const size_t n = bus.size();
    for (size_t i = 0; i < note.size(); ++i)
        bus[(size_t(start) + i) % n] += note[i] * gain;
}

void Player::Note(Inst inst, int absStep, int lenSteps, float pitch, float vel, float gain, float send, bool echo)
{
    const uint32_t seed = uint32_t(absStep * 7919 + int(pitch) * 31 + int(inst)) + song.seed;
    const float human = 0.92f + 0.08f * ((seed * 2654435761u >> 8) % 1000) / 1000.0f;
    const Buffer note = RenderNote(inst, pitch, lenSteps * step, vel * human, seed);
    const int start = Start(absStep);
    Add(echo ? mix.echo : mix.dry, start, note, gain);
    if (send > 0)
        Add(mix.reverb, start, note, gain * send);
}

float Velocity(const std::string& pattern, int s)
{
    if (pattern.empty())
        return 0;
    const char c = pattern[size_t(s) % pattern.size()];
    return (c >= '1' && c <= '9') ? (c - '0') / 9.0f : 0;
}

void Player::Drums(int bar)
{
    const struct { char layer; const std::string* pattern; Inst inst; float gain; float pitch; } kit[] = {
        {'k', &song.kick, Inst::Kick, 0.9f, 36},    {'s', &song.snare, Inst::Snare, 0.55f, 38},
        {'h', &song.hat, Inst::Hat, 0.22f, 42},     {'o', &song.openHat, Inst::OpenHat, 0.2f, 46},
        {'c', &song.clap, Inst::Clap, 0.45f, 39},   {'t', &song.toms, Inst::Tom, 0.5f, 45},
        {'x', &song.shaker, Inst::Shaker, 0.2f, 70}, {'i', &song.timpani, Inst::Timpani, 0.6f, float(song.root - 24)},
    };
    for (const auto& d : kit) {
        if (!Has(bar, d.layer))
            continue;
        for (int s = 0; s < kStepsPerBar; ++s) {
            const int abs = bar * kStepsPerBar + s;
            const float v = Velocity(*d.pattern, abs);
            if (v <= 0)
                continue;
            // Toms walk down a little scale so fills sound like fills.
            const float pitch = d.inst == Inst::Tom ? d.pitch + 7 - (s % 4) * 3 : d.pitch;
            Note(d.inst, abs, 1, pitch, v, d.gain, d.inst == Inst::Snare || d.inst == Inst::Clap ? 0.3f : 0, false);
        }
    }
}

void Player::Bass(int bar)
{
    if (!Has(bar, 'b') || song.bass.empty())
        return;
    const int c = Chord(bar);
    for (int s = 0; s < kStepsPerBar; ++s) {
        const int abs = bar * kStepsPerBar + s;
        const char ch = song.bass[size_t(abs) % song.bass.size()];
        int deg;
        switch (ch) {
        case 'R': deg = Degree(c) - 12; break;
        case 'O': deg = Degree(c); break;
        case '5': deg = Degree(c + 4) - 12; break;
        case '3': deg = Degree(c + 2) - 12; break;
        default: continue;
        }
        int len = 1;
        while (s + len < kStepsPerBar && song.bass[size_t(abs + len) % song.bass.size()] == '-')
            ++len;
        Note(song.bassInst, abs, len, float(song.root + deg), 0.9f, 0.5f, 0, false);
    }
}

void Player::Harmony(int bar)
{
    const int c = Chord(bar);
    if (Has(bar, 'p'))
        for (int k = 0; k < 3; ++k)
            Note(song.padInst, bar * kStepsPerBar, kStepsPerBar, float(song.root + Degree(c + 2 * k)), 0.7f, 0.2f, 0.6f,
                 false);
    if (Has(bar, 'w'))
        Note(Inst::Whoosh, bar * kStepsPerBar, kStepsPerBar, 60, 0.8f, 0.25f, 0.4f, false);
    if (Has(bar, 'a') && !song.arp.empty())
        for (int s = 0; s < kStepsPerBar; ++s) {
            const int abs = bar * kStepsPerBar + s;
            const char ch = song.arp[size_t(abs) % song.arp.size()];
            if (ch < '0' || ch > '9')
                continue;
            const int d = ch - '0';
            const float pitch = float(song.root + 12 + Degree(c + 2 * (d % 3)) + 12 * (d / 3));
            Note(song.arpInst, abs, 1, pitch, 0.75f, 0.28f, 0.35f, true);
        }
}

// A two-bar melodic motif in scale steps above the bar's chord root.
struct MotifNote {
    int step, length, degree;
};

std::vector<MotifNote> Motif(unsigned seed, int scaleSize)
{
    uint32_t r = seed * 2654435761u + 97u;
    auto next = [&r]() { r ^= r << 13; r ^= r >> 17; r ^= r << 5; return (r & 0xFFFF) / 65536.0f; };
    std::vector<int> onsets;
    for (int s = 0; s < 30; ++s) {
        const float p = s == 0 ? 1 : s % 8 == 0 ? 0.8f : s % 4 == 0 ? 0.5f : s % 2 == 0 ? 0.3f : 0.06f;
        if (next() < p)
            onsets.push_back(s);
    }
    const int chordTones[] = {0, 2, 4, scaleSize, scaleSize + 2};
    std::vector<MotifNote> m;
    int deg = (next() < 0.5f) ? 2 : 4;
    for (size_t i = 0; i < onsets.size(); ++i) {
        const int end = i + 1 < onsets.size() ? onsets[i + 1] : 32;
        int len = std::min(end - onsets[i], 8);
        if (len > 2 && next() < 0.25f)
            len /= 2;
        const int moves[] = {-2, -1, -1, 0, 1, 1, 2, 3, -3};
        deg = std::clamp(deg + moves[int(next() * 9) % 9], -2, scaleSize + 3);
        if (onsets[i] % 4 == 0) {
            int best = chordTones[0];
            for (int t : chordTones)
                if (std::abs(t - deg) < std::abs(best - deg))
                    best = t;
            deg = best;
        }
        m.push_back({onsets[i], len, deg});
    }
    return m;
}

void Player::Lead(int bar)
{
    for (char layer : {'l', 'L'}) {
        if (!Has(bar, layer))
            continue;
        const std::vector<MotifNote> motif = Motif(song.seed * 17 + (layer == 'L' ? 5u : 0u), int(song.scale.size()));
        const int half = bar % 2;
        for (const MotifNote& n : motif) {
            if (n.step / kStepsPerBar != half)
                continue;
            const int abs = (bar - half) * kStepsPerBar + n.step;
            const float pitch = float(song.root + 12 * song.leadOctave + Degree(Chord(bar) + n.degree));
            Note(song.leadInst, abs, n.length, pitch, 0.8f, 0.32f, 0.4f, true);
        }
    }
}

void Player::Fixed()
{
    for (const FixedNote& f : song.fixed)
        Note(f.inst, f.step, f.length, float(song.root + f.semitones), f.velocity, 0.4f, 0.5f, false);
}

Buffer Player::Play()
{
    for (int bar = 0; bar < bars; ++bar) {
        Drums(bar);
        Bass(bar);
        Harmony(bar);
        Lead(bar);
    }
    Fixed();
    // Echo a dotted eighth behind the melody.
    const Buffer echoes = LoopEcho(mix.echo, step * 3, 0.35f);
    Buffer out = mix.dry;
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] += mix.echo[i] + echoes[i] * song.echo;
        mix.reverb[i] += echoes[i] * song.echo * 0.5f;
    }
    const Buffer room = LoopReverb(mix.reverb);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] += room[i] * song.reverb * 2;
    LoopHighpass(out, 30);
    Master(out, 0.89f);
    return out;
}

} // namespace

Buffer RenderSong(const Song& song) { return Player(song).Play(); }
