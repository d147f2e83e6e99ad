#pragma once
#include <cstdint>

// What Allegro's translucent mode with set_trans_blender(0, 0, 0, alpha)
// puts for colour src over dst on a 16-bit bitmap, without touching the
// global blender. Computed in unsigned long like the library, so the
// field borrows come out identical.
inline uint16_t Blend16(unsigned long src, unsigned long dst, int alpha)
{
    unsigned long n = alpha ? (static_cast<unsigned long>(alpha) + 1) / 8 : 0;
    src = ((src & 0xFFFF) | (src << 16)) & 0x7E0F81F;
    dst = ((dst & 0xFFFF) | (dst << 16)) & 0x7E0F81F;
    const unsigned long r = ((src - dst) * n / 32 + dst) & 0x7E0F81F;
    return static_cast<uint16_t>((r & 0xFFFF) | (r >> 16));
}
