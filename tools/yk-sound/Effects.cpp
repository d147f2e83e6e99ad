#include "Effects.h"

#include <algorithm>
#include <array>

namespace {

class Comb {
public:
    explicit Comb(int n) : line(size_t(n), 0.0f) {}
    float Tick(float x, float fb, float damp)
    {
        const float y = line[pos];
        store = y * (1 - damp) + store * damp;
        line[pos] = x + store * fb;
        pos = (pos + 1) % line.size();
        return y;
    }

private:
    Buffer line;
    size_t pos = 0;
    float store = 0;
};

class Allpass {
public:
    explicit Allpass(int n) : line(size_t(n), 0.0f) {}
    float Tick(float x)
    {
        const float y = line[pos];
        line[pos] = x + y * 0.5f;
        pos = (pos + 1) % line.size();
        return y - x;
    }

private:
    Buffer line;
    size_t pos = 0;
};

} // namespace

Buffer LoopEcho(const Buffer& b, int delay, float feedback)
{
    Buffer line(size_t(delay), 0.0f);
    Svf tone;
    tone.Set(2500, 0.7f);
    Buffer out(b.size());
    size_t pos = 0;
    for (int pass = 0; pass < 2; ++pass)
        for (size_t i = 0; i < b.size(); ++i) {
            const float y = line[pos];
            line[pos] = b[i] + tone.Low(y) * feedback;
            pos = (pos + 1) % line.size();
            out[i] = y;
        }
    return out;
}

Buffer LoopReverb(const Buffer& b)
{
    std::array<Comb, 4> combs = {Comb(557), Comb(593), Comb(641), Comb(677)};
    std::array<Allpass, 2> passes = {Allpass(113), Allpass(172)};
    Buffer out(b.size());
    for (int pass = 0; pass < 2; ++pass)
        for (size_t i = 0; i < b.size(); ++i) {
            float y = 0;
            for (Comb& c : combs)
                y += c.Tick(b[i] * 0.25f, 0.82f, 0.35f);
            for (Allpass& a : passes)
                y = a.Tick(y);
            out[i] = y;
        }
    return out;
}

void LoopHighpass(Buffer& b, float hz)
{
    Svf f;
    f.Set(hz, 0.7f);
    Buffer out(b.size());
    for (int pass = 0; pass < 2; ++pass)
        for (size_t i = 0; i < b.size(); ++i)
            out[i] = f.High(b[i]);
    b = out;
}

void Master(Buffer& b, float peak)
{
    Normalize(b, 1.0f);
    for (float& v : b)
        v = std::tanh(v * 1.4f);
    Normalize(b, peak);
}
