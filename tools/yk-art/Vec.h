#pragma once
#include <algorithm>
#include <cmath>

// Small 2-D vector and colour types for the art generator.
struct V2 {
    float x = 0, y = 0;
};
inline V2 operator+(V2 a, V2 b) { return {a.x + b.x, a.y + b.y}; }
inline V2 operator-(V2 a, V2 b) { return {a.x - b.x, a.y - b.y}; }
inline V2 operator*(V2 a, float s) { return {a.x * s, a.y * s}; }
inline float Dot(V2 a, V2 b) { return a.x * b.x + a.y * b.y; }
inline float Len(V2 a) { return std::sqrt(Dot(a, a)); }
inline V2 Rot(V2 a, float rad)
{
    const float c = std::cos(rad), s = std::sin(rad);
    return {a.x * c - a.y * s, a.x * s + a.y * c};
}

constexpr float kPi = 3.14159265f;

inline float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
inline float Mix(float a, float b, float t) { return a + (b - a) * t; }
inline float Smooth(float e0, float e1, float v)
{
    const float t = Clamp01((v - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

// Linear colour, each channel 0..1.
struct Rgb {
    float r = 0, g = 0, b = 0;
};
inline Rgb operator*(Rgb c, float s) { return {c.r * s, c.g * s, c.b * s}; }
inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb Mix(Rgb a, Rgb b, float t) { return {Mix(a.r, b.r, t), Mix(a.g, b.g, t), Mix(a.b, b.b, t)}; }
inline Rgb Hex(unsigned v)
{
    return {((v >> 16) & 255) / 255.0f, ((v >> 8) & 255) / 255.0f, (v & 255) / 255.0f};
}
inline Rgb Clamp(Rgb c) { return {Clamp01(c.r), Clamp01(c.g), Clamp01(c.b)}; }
