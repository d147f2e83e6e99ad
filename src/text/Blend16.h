#pragma once
#include <cstdint>

// What Allegro's translucent mode with set_trans_blender(0, 0, 0, alpha)
// puts for colour src over dst on a 16-bit bitmap, without touching the
// global blender. The library computes in unsigned long, but only the low
// 27 bits survive its mask and those come out the same in 32 bits, where
// eight pixels fit one vector: T is uint32_t or a vector of them (taken by
// reference, which keeps vectors out of the calling convention). dst
// becomes the blend. Alpha 0 gives dst and 255 gives src.
template <class T>
void Blend16Lanes(T& dst, const T& src, const T& alpha)
{
    constexpr uint32_t kFields = 0x7E0F81F; // green above, red and blue below
    const T n = (alpha + 1) / 8;
    const T s = ((src & 0xFFFF) | (src << 16)) & kFields;
    const T d = ((dst & 0xFFFF) | (dst << 16)) & kFields;
    const T r = ((s - d) * n / 32 + d) & kFields;
    dst = (r & 0xFFFF) | (r >> 16);
}

inline uint16_t Blend16(uint32_t src, uint32_t dst, uint32_t alpha)
{
    Blend16Lanes(dst, src, alpha);
    return static_cast<uint16_t>(dst);
}
