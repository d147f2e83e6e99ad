#pragma once
#include "Vec.h"

// Signed distances in pixels: negative inside, positive outside. Shapes are
// painted by coverage from these, which gives anti-aliased edges for free.
inline float SdCircle(V2 p, V2 c, float r) { return Len(p - c) - r; }

inline float SdEllipse(V2 p, V2 c, float rx, float ry)
{
    // Scaled-circle approximation; exact enough for sprites.
    const V2 q = {(p.x - c.x) / rx, (p.y - c.y) / ry};
    const float k = Len(q);
    return (k - 1.0f) * std::min(rx, ry);
}

inline float SdBox(V2 p, V2 c, V2 half, float round = 0)
{
    const V2 d = {std::fabs(p.x - c.x) - half.x + round, std::fabs(p.y - c.y) - half.y + round};
    const V2 o = {std::max(d.x, 0.0f), std::max(d.y, 0.0f)};
    return Len(o) + std::min(std::max(d.x, d.y), 0.0f) - round;
}

// Capsule around the segment a-b with radius r.
inline float SdSegment(V2 p, V2 a, V2 b, float r)
{
    const V2 pa = p - a, ba = b - a;
    const float h = Clamp01(Dot(pa, ba) / std::max(Dot(ba, ba), 1e-6f));
    return Len(pa - ba * h) - r;
}

// Capsule whose radius runs from ra at a to rb at b.
inline float SdTaper(V2 p, V2 a, V2 b, float ra, float rb)
{
    const V2 pa = p - a, ba = b - a;
    const float h = Clamp01(Dot(pa, ba) / std::max(Dot(ba, ba), 1e-6f));
    return Len(pa - ba * h) - Mix(ra, rb, h);
}

// Triangle a, b, c (any winding).
inline float SdTriangle(V2 p, V2 a, V2 b, V2 c)
{
    const V2 e0 = b - a, e1 = c - b, e2 = a - c;
    const V2 v0 = p - a, v1 = p - b, v2 = p - c;
    auto seg = [](V2 v, V2 e) { return v - e * Clamp01(Dot(v, e) / Dot(e, e)); };
    const V2 pq0 = seg(v0, e0), pq1 = seg(v1, e1), pq2 = seg(v2, e2);
    const float s = (e0.x * e2.y - e0.y * e2.x) > 0 ? 1.0f : -1.0f;
    const float d0 = Dot(pq0, pq0), d1 = Dot(pq1, pq1), d2 = Dot(pq2, pq2);
    const float c0 = s * (v0.x * e0.y - v0.y * e0.x);
    const float c1 = s * (v1.x * e1.y - v1.y * e1.x);
    const float c2 = s * (v2.x * e2.y - v2.y * e2.x);
    const float d = std::sqrt(std::min({d0, d1, d2}));
    return (std::min({c0, c1, c2}) < 0) ? d : -d;
}

inline float SdUnion(float a, float b) { return std::min(a, b); }
inline float SdCut(float a, float b) { return std::max(a, -b); }
inline float SdSmoothUnion(float a, float b, float k)
{
    const float h = Clamp01(0.5f + 0.5f * (b - a) / k);
    return Mix(b, a, h) - k * h * (1 - h);
}
