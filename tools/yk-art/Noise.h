#pragma once
#include <cstdint>

// Deterministic hash noise: the same seed always paints the same picture.
uint32_t Hash(uint32_t a, uint32_t b = 0, uint32_t c = 0);
float Hash01(uint32_t a, uint32_t b = 0, uint32_t c = 0);
// Smooth value noise, about -1..1, features one unit apart.
float ValueNoise(float x, float y, uint32_t seed);
// Sum of octaves, about -1..1.
float Fbm(float x, float y, uint32_t seed, int octaves = 4);
// Distance to the nearest cell point of a jittered grid (Worley), and the
// id of that cell; used for cell-like textures.
float Worley(float x, float y, uint32_t seed, uint32_t* id = nullptr);

// A small deterministic generator for placing things.
class Rng {
public:
    explicit Rng(uint32_t seed) : state(seed * 2654435761u + 12345u) {}
    uint32_t Next();
    float Uniform(float lo, float hi);
    int Int(int lo, int hi); // lo..hi inclusive

private:
    uint32_t state;
};
