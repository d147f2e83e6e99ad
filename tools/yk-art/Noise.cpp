#include "Noise.h"

#include <cmath>

#include "Vec.h"

uint32_t Hash(uint32_t a, uint32_t b, uint32_t c)
{
    uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

float Hash01(uint32_t a, uint32_t b, uint32_t c) { return (Hash(a, b, c) & 0xFFFFFF) / float(0x1000000); }

float ValueNoise(float x, float y, uint32_t seed)
{
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = int(fx), iy = int(fy);
    const float tx = x - fx, ty = y - fy;
    const float sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
    auto v = [&](int dx, int dy) { return Hash01(uint32_t(ix + dx), uint32_t(iy + dy), seed) * 2 - 1; };
    return Mix(Mix(v(0, 0), v(1, 0), sx), Mix(v(0, 1), v(1, 1), sx), sy);
}

float Fbm(float x, float y, uint32_t seed, int octaves)
{
    float sum = 0, amp = 0.5f, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * ValueNoise(x, y, seed + uint32_t(i) * 101u);
        norm += amp;
        x = x * 2.03f + 17.1f;
        y = y * 2.03f - 9.7f;
        amp *= 0.5f;
    }
    return sum / norm;
}

float Worley(float x, float y, uint32_t seed, uint32_t* id)
{
    const int ix = int(std::floor(x)), iy = int(std::floor(y));
    float best = 1e9f;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const uint32_t cx = uint32_t(ix + dx), cy = uint32_t(iy + dy);
            const float px = ix + dx + Hash01(cx, cy, seed);
            const float py = iy + dy + Hash01(cx, cy, seed + 7u);
            const float d = std::hypot(px - x, py - y);
            if (d < best) {
                best = d;
                if (id)
                    *id = Hash(cx, cy, seed + 13u);
            }
        }
    return best;
}

uint32_t Rng::Next()
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

float Rng::Uniform(float lo, float hi) { return lo + (hi - lo) * ((Next() & 0xFFFFFF) / float(0x1000000)); }

int Rng::Int(int lo, int hi) { return lo + int(Next() % uint32_t(hi - lo + 1)); }
