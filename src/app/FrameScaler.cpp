#include "app/FrameScaler.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "app/WideVectors.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define YK_X86 1
#endif

namespace {

// Two x8r8g8b8 pixels mixed, w of 256 of the second: red and blue in one
// multiply, green in another, each channel rounded as on its own.
inline uint32_t Mix(uint32_t a, uint32_t b, uint32_t w)
{
    const uint32_t v = 256 - w;
    const uint32_t rb = ((a & 0x00FF00FFu) * v + (b & 0x00FF00FFu) * w + 0x00800080u) >> 8;
    const uint32_t g = ((a & 0x0000FF00u) * v + (b & 0x0000FF00u) * w + 0x00008000u) >> 8;
    return (rb & 0x00FF00FFu) | (g & 0x0000FF00u);
}

WIDE_VECTORS void WidenRow(const uint16_t* src, uint32_t* out, int n)
{
    for (int i = 0; i < n; ++i)
        out[i] = CFrameScaler::Widen(src[i]);
}

WIDE_VECTORS void AcrossLoop(const uint32_t* row, const int* first, const uint16_t* next, uint32_t* out, int n)
{
    for (int i = 0; i < n; ++i)
        out[i] = Mix(row[first[i]], row[first[i] + 1], next[i]);
}

#if YK_X86
// Mix on eight lanes at once, exactly as Mix does on one.
__attribute__((target("avx2"))) void AcrossBlocks(const uint32_t* row, const CFrameScaler::SBlock* blocks, int count,
                                                   uint32_t* out)
{
    const __m256i rbMask = _mm256_set1_epi32(0x00FF00FF), gMask = _mm256_set1_epi32(0x0000FF00);
    const __m256i rbRound = _mm256_set1_epi32(0x00800080), gRound = _mm256_set1_epi32(0x00008000);
    const __m256i whole = _mm256_set1_epi32(256);
    for (int k = 0; k < count; ++k) {
        const CFrameScaler::SBlock& b = blocks[k];
        const __m256i index = _mm256_load_si256(reinterpret_cast<const __m256i*>(b.index));
        const __m256i w = _mm256_load_si256(reinterpret_cast<const __m256i*>(b.weight));
        const __m256i v = _mm256_sub_epi32(whole, w);
        const __m256i pa = _mm256_permutevar8x32_epi32(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + b.base)), index);
        const __m256i pb = _mm256_permutevar8x32_epi32(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + b.base + 1)), index);
        const __m256i rb = _mm256_srli_epi32(
            _mm256_add_epi32(_mm256_add_epi32(_mm256_mullo_epi32(_mm256_and_si256(pa, rbMask), v),
                                              _mm256_mullo_epi32(_mm256_and_si256(pb, rbMask), w)),
                             rbRound),
            8);
        const __m256i g = _mm256_srli_epi32(
            _mm256_add_epi32(_mm256_add_epi32(_mm256_mullo_epi32(_mm256_and_si256(pa, gMask), v),
                                              _mm256_mullo_epi32(_mm256_and_si256(pb, gMask), w)),
                             gRound),
            8);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 8 * k),
                            _mm256_or_si256(_mm256_and_si256(rb, rbMask), _mm256_and_si256(g, gMask)));
    }
}

// Two rows mixed with one weight, as Mix does, channel by channel in 16-bit
// lanes: a channel times 256 at most fits, and a multiply of sixteen lanes
// is half the work of the eight 32-bit ones the plain loop becomes.
__attribute__((target("avx2"))) void DownRows(const uint32_t* a, const uint32_t* b, uint32_t w, uint32_t* out, int n)
{
    const __m256i wb = _mm256_set1_epi16(static_cast<short>(w));
    const __m256i wa = _mm256_set1_epi16(static_cast<short>(256 - w));
    const __m256i round = _mm256_set1_epi16(128), zero = _mm256_setzero_si256();
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m256i pa = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a + i));
        const __m256i pb = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + i));
        const __m256i lo = _mm256_srli_epi16(
            _mm256_add_epi16(_mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpacklo_epi8(pa, zero), wa),
                                              _mm256_mullo_epi16(_mm256_unpacklo_epi8(pb, zero), wb)),
                             round),
            8);
        const __m256i hi = _mm256_srli_epi16(
            _mm256_add_epi16(_mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpackhi_epi8(pa, zero), wa),
                                              _mm256_mullo_epi16(_mm256_unpackhi_epi8(pb, zero), wb)),
                             round),
            8);
        // The fourth byte of every pixel is 0 in both rows, so it stays 0.
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), _mm256_packus_epi16(lo, hi));
    }
    for (; i < n; ++i)
        out[i] = Mix(a[i], b[i], w);
}

bool HasAvx2() { return __builtin_cpu_supports("avx2"); }
#else
void AcrossBlocks(const uint32_t*, const CFrameScaler::SBlock*, int, uint32_t*) {}
void DownRows(const uint32_t*, const uint32_t*, uint32_t, uint32_t*, int) {}

bool HasAvx2() { return false; }
#endif

WIDE_VECTORS void DownLoop(const uint32_t* a, const uint32_t* b, uint32_t w, uint32_t* out, int n)
{
    for (int i = 0; i < n; ++i)
        out[i] = Mix(a[i], b[i], w);
}

WIDE_VECTORS void DownLoop16(const uint32_t* a, const uint32_t* b, uint32_t w, uint16_t* out, int n)
{
    for (int i = 0; i < n; ++i)
        out[i] = CFrameScaler::Narrow(Mix(a[i], b[i], w));
}

void Down(const uint32_t* a, const uint32_t* b, uint32_t w, uint32_t* out, int n)
{
    static const bool avx2 = HasAvx2();
    if (w == 0)
        std::memcpy(out, a, sizeof(uint32_t) * static_cast<size_t>(n));
    else if (avx2 && CFrameScaler::allowVectors)
        DownRows(a, b, w, out, n);
    else
        DownLoop(a, b, w, out, n);
}

void Down(const uint32_t* a, const uint32_t* b, uint32_t w, uint16_t* out, int n) { DownLoop16(a, b, w, out, n); }

} // namespace

CFrameScaler::SAxis CFrameScaler::Taps(int frame, int window)
{
    SAxis axis;
    if (frame <= 0 || window <= 0)
        return axis;
    axis.first.resize(static_cast<size_t>(window));
    axis.next.resize(static_cast<size_t>(window));
    const int64_t f = frame, n = window;
    for (int64_t i = 0; i < n; ++i) {
        int64_t j = 0, w = 0;
        if (n >= f) {
            // Window pixel i covers [i f, (i + 1) f) in frame pixels times n:
            // the part past frame pixel j's right edge belongs to j + 1.
            const int64_t left = i * f, right = left + f;
            j = left / n;
            const int64_t edge = (j + 1) * n;
            if (right > edge)
                w = (512 * (right - edge) + f) / (2 * f);
        } else {
            // Smaller than the frame: between the two pixels nearest the
            // window pixel's centre, (2i + 1) f / 2n - 1/2 frame pixels in.
            const int64_t at = (2 * i + 1) * f - n; // in 1/2n frame pixels
            j = at / (2 * n);
            w = (256 * (at - j * 2 * n) + n) / (2 * n);
        }
        if (w >= 256) {
            ++j;
            w = 0;
        }
        if (j >= f - 1) {
            j = f - 1;
            w = 0;
        }
        axis.first[static_cast<size_t>(i)] = static_cast<int>(j);
        axis.next[static_cast<size_t>(i)] = static_cast<uint16_t>(w);
    }
    return axis;
}

void CFrameScaler::Prepare(int fw, int fh, int pw, int ph)
{
    if (fw == frameW && fh == frameH && pw == pictureW && ph == pictureH)
        return;
    frameW = fw, frameH = fh, pictureW = pw, pictureH = ph;
    across = Taps(fw, pw);
    down = Taps(fh, ph);
    // Past the end: the next of the last pixel, and a block's whole loads.
    widened.assign(static_cast<size_t>(std::max(fw, 0)) + 16, 0);
    const int blockCount = (std::max(pw, 0) + 7) / 8;
    for (auto& r : rows)
        r.assign(static_cast<size_t>(blockCount) * 8, 0);
    blocks.clear();
    bool fits = pw >= fw && fw > 0;
    for (int k = 0; k < blockCount && fits; ++k) {
        SBlock b{};
        b.base = across.first[static_cast<size_t>(8 * k)];
        for (int i = 0; i < 8; ++i) {
            const size_t at = static_cast<size_t>(std::min(8 * k + i, pw - 1));
            const int offset = across.first[at] - b.base;
            fits = fits && offset >= 0 && offset < 8;
            b.index[i] = static_cast<uint32_t>(std::clamp(offset, 0, 7));
            b.weight[i] = across.next[at];
        }
        blocks.push_back(b);
    }
    if (!fits)
        blocks.clear();
    rowOf[0] = rowOf[1] = -1;
}

const uint32_t* CFrameScaler::AcrossRow(const uint16_t* src, int srcPitch, int y)
{
    for (int s = 0; s < 2; ++s)
        if (rowOf[s] == y)
            return rows[s].data();
    // Rows are asked for in order: the slot not holding y - 1 is free.
    const int s = rowOf[0] == y - 1 ? 1 : 0;
    const auto* line = reinterpret_cast<const uint16_t*>(reinterpret_cast<const char*>(src) +
                                                          static_cast<ptrdiff_t>(y) * srcPitch);
    WidenRow(line, widened.data(), frameW);
    widened[static_cast<size_t>(frameW)] = widened[static_cast<size_t>(frameW) - 1];
    static const bool avx2 = HasAvx2();
    if (avx2 && allowVectors && !blocks.empty())
        AcrossBlocks(widened.data(), blocks.data(), static_cast<int>(blocks.size()), rows[s].data());
    else
        AcrossLoop(widened.data(), across.first.data(), across.next.data(), rows[s].data(), pictureW);
    rowOf[s] = y;
    return rows[s].data();
}

template <typename Pixel>
void CFrameScaler::ScaleInto(const uint16_t* src, int srcPitch, Pixel* dst, int dstPitch)
{
    if (frameW <= 0 || frameH <= 0 || pictureW <= 0 || pictureH <= 0)
        return;
    // The frame changes between calls: nothing cached survives one.
    rowOf[0] = rowOf[1] = -1;
    for (int y = 0; y < pictureH; ++y) {
        const int a = down.first[static_cast<size_t>(y)];
        const uint32_t w = down.next[static_cast<size_t>(y)];
        const uint32_t* top = AcrossRow(src, srcPitch, a);
        // The row before the one asked for is always kept: top stays valid.
        const uint32_t* bottom = w ? AcrossRow(src, srcPitch, a + 1) : top;
        auto* out = reinterpret_cast<Pixel*>(reinterpret_cast<char*>(dst) + static_cast<ptrdiff_t>(y) * dstPitch);
        Down(top, bottom, w, out, pictureW);
    }
}

void CFrameScaler::Scale(const uint16_t* src, int srcPitch, uint32_t* dst, int dstPitch)
{
    ScaleInto(src, srcPitch, dst, dstPitch);
}

void CFrameScaler::Scale(const uint16_t* src, int srcPitch, uint16_t* dst, int dstPitch)
{
    ScaleInto(src, srcPitch, dst, dstPitch);
}

void CFrameScaler::Reference(const uint16_t* src, int srcPitch, int frameW, int frameH, uint32_t* dst, int dstPitch,
                             int pictureW, int pictureH)
{
    const SAxis across = Taps(frameW, pictureW), down = Taps(frameH, pictureH);
    auto at = [&](int x, int y) {
        x = std::min(x, frameW - 1);
        y = std::min(y, frameH - 1);
        return Widen(reinterpret_cast<const uint16_t*>(reinterpret_cast<const char*>(src) +
                                                       static_cast<ptrdiff_t>(y) * srcPitch)[x]);
    };
    auto channel = [](uint32_t p, int shift) { return static_cast<int>((p >> shift) & 255); };
    auto mix = [&](uint32_t a, uint32_t b, int w) {
        uint32_t out = 0;
        for (int shift : {16, 8, 0})
            out |= static_cast<uint32_t>((channel(a, shift) * (256 - w) + channel(b, shift) * w + 128) >> 8) << shift;
        return out;
    };
    for (int y = 0; y < pictureH; ++y)
        for (int x = 0; x < pictureW; ++x) {
            const int fx = across.first[static_cast<size_t>(x)], fy = down.first[static_cast<size_t>(y)];
            const int wx = across.next[static_cast<size_t>(x)], wy = down.next[static_cast<size_t>(y)];
            const uint32_t top = mix(at(fx, fy), at(fx + 1, fy), wx);
            const uint32_t bottom = mix(at(fx, fy + 1), at(fx + 1, fy + 1), wx);
            reinterpret_cast<uint32_t*>(reinterpret_cast<char*>(dst) + static_cast<ptrdiff_t>(y) * dstPitch)[x] =
                mix(top, bottom, wy);
        }
}
