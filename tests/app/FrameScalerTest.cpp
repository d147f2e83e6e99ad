#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "app/FrameScaler.h"

namespace {

struct SFrame {
    int w, h, pitch; // pitch in pixels: rows are padded, as a bitmap's may be
    std::vector<uint16_t> pixels;
};

SFrame RandomFrame(int w, int h, std::mt19937& rng)
{
    SFrame f{w, h, w + 3, {}};
    f.pixels.resize(static_cast<size_t>(f.pitch) * h);
    for (auto& p : f.pixels)
        p = static_cast<uint16_t>(rng());
    return f;
}

constexpr uint32_t kUntouched = 0xDEADBEEF;

// Scales into a picture with a margin on every side; the margin must stay.
std::vector<uint32_t> Scaled(CFrameScaler& scaler, const SFrame& f, int pw, int ph, int& pitch)
{
    pitch = pw + 5;
    std::vector<uint32_t> out(static_cast<size_t>(pitch) * (ph + 2), kUntouched);
    scaler.Prepare(f.w, f.h, pw, ph);
    scaler.Scale(f.pixels.data(), f.pitch * 2, out.data() + pitch + 2, pitch * 4);
    return out;
}

TEST(FrameScalerTest, MatchesThePlainLoopsPixelForPixelOnRandomSizesAndFactors)
{
    std::mt19937 rng(2024);
    struct SSize {
        int fw, fh, pw, ph;
    };
    std::vector<SSize> sizes = {{1024, 768, 1440, 1080}, {1024, 768, 1067, 800}, {1024, 768, 2048, 1536},
                                {1024, 768, 1536, 1152}, {1024, 768, 1024, 768}, {1024, 768, 800, 600}};
    for (int i = 0; i < 40; ++i) {
        const int fw = 1 + static_cast<int>(rng() % 40), fh = 1 + static_cast<int>(rng() % 30);
        sizes.push_back({fw, fh, 1 + static_cast<int>(rng() % 150), 1 + static_cast<int>(rng() % 120)});
    }
    for (bool vectors : {true, false}) {
        CFrameScaler::allowVectors = vectors;
        for (const SSize& s : sizes) {
            SCOPED_TRACE(::testing::Message() << s.fw << "x" << s.fh << " -> " << s.pw << "x" << s.ph
                                              << (vectors ? " vectors" : " plain"));
            const SFrame f = RandomFrame(s.fw, s.fh, rng);
            CFrameScaler scaler;
            int pitch = 0;
            const std::vector<uint32_t> fast = Scaled(scaler, f, s.pw, s.ph, pitch);
            std::vector<uint32_t> plain(fast.size(), kUntouched);
            CFrameScaler::Reference(f.pixels.data(), f.pitch * 2, s.fw, s.fh, plain.data() + pitch + 2, pitch * 4, s.pw,
                                    s.ph);
            for (size_t p = 0; p < fast.size(); ++p)
                ASSERT_EQ(fast[p], plain[p]) << "at " << p % pitch - 2 << "," << p / pitch - 1;
            // The same scaler again, on another frame: nothing of the first stays.
            const SFrame g = RandomFrame(s.fw, s.fh, rng);
            const std::vector<uint32_t> again = Scaled(scaler, g, s.pw, s.ph, pitch);
            CFrameScaler::Reference(g.pixels.data(), g.pitch * 2, s.fw, s.fh, plain.data() + pitch + 2, pitch * 4, s.pw,
                                    s.ph);
            ASSERT_EQ(again, plain);
        }
    }
    CFrameScaler::allowVectors = true;
}

TEST(FrameScalerTest, WholeFactorsAreCopiesOfWholePixels)
{
    std::mt19937 rng(7);
    for (int k : {1, 2, 3}) {
        const SFrame f = RandomFrame(64, 48, rng);
        CFrameScaler scaler;
        int pitch = 0;
        const std::vector<uint32_t> out = Scaled(scaler, f, 64 * k, 48 * k, pitch);
        for (int y = 0; y < 48 * k; ++y)
            for (int x = 0; x < 64 * k; ++x)
                ASSERT_EQ(out[static_cast<size_t>(y + 1) * pitch + x + 2],
                          CFrameScaler::Widen(f.pixels[static_cast<size_t>(y / k) * f.pitch + x / k]))
                    << k << ": " << x << "," << y;
    }
}

// Each window pixel takes the frame pixels it covers by how much it covers
// them: at 1.5, two frame pixels become one, an even mix, and the other.
TEST(FrameScalerTest, WindowPixelsMixOnlyAcrossTheFrameEdgeTheyStraddleByCoverage)
{
    const CFrameScaler::SAxis half = CFrameScaler::Taps(2, 3);
    EXPECT_EQ(half.first, (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(half.next, (std::vector<uint16_t>{0, 128, 0}));
    for (auto [frame, window] : {std::pair{1024, 1440}, std::pair{768, 1080}, std::pair{1024, 1067},
                                 std::pair{768, 2160}, std::pair{5, 7}}) {
        const CFrameScaler::SAxis axis = CFrameScaler::Taps(frame, window);
        int mixed = 0;
        for (int i = 0; i < window; ++i) {
            const double left = static_cast<double>(i) * frame / window, right = (i + 1.0) * frame / window;
            int j = static_cast<int>(std::floor(left));
            double beyond = 256 * std::max(0.0, right - (j + 1)) / (right - left);
            if (beyond >= 255.5 - 1e-9) // all but a sliver beyond the edge: the next pixel alone
                ++j, beyond = 0;
            ASSERT_EQ(axis.first[static_cast<size_t>(i)], j) << frame << "->" << window << " at " << i;
            ASSERT_NEAR(axis.next[static_cast<size_t>(i)], beyond, 0.5 + 1e-9) << frame << "->" << window;
            mixed += axis.next[static_cast<size_t>(i)] != 0;
        }
        // One mixed window pixel at most for every inner frame edge.
        EXPECT_LE(mixed, frame - 1) << frame << "->" << window;
    }
}

TEST(FrameScalerTest, SixteenBitWindowsGetTheSamePicturesNarrowed)
{
    std::mt19937 rng(11);
    const SFrame f = RandomFrame(40, 30, rng);
    CFrameScaler scaler;
    int pitch = 0;
    const std::vector<uint32_t> wide = Scaled(scaler, f, 57, 43, pitch);
    std::vector<uint16_t> narrow(static_cast<size_t>(57) * 43);
    scaler.Scale(f.pixels.data(), f.pitch * 2, narrow.data(), 57 * 2);
    for (int y = 0; y < 43; ++y)
        for (int x = 0; x < 57; ++x)
            ASSERT_EQ(narrow[static_cast<size_t>(y) * 57 + x],
                      CFrameScaler::Narrow(wide[static_cast<size_t>(y + 1) * pitch + x + 2]));
    // Widening keeps each channel's top bits, so narrowing gives the pixel back.
    for (uint32_t p = 0; p < 65536; ++p)
        ASSERT_EQ(CFrameScaler::Narrow(CFrameScaler::Widen(static_cast<uint16_t>(p))), p);
    EXPECT_EQ(CFrameScaler::Widen(0xFFFF), 0xFFFFFFu & 0x00FFFFFF);
    EXPECT_EQ(CFrameScaler::Widen(0x8410), 0x848284u); // 16, 32, 16 of 31, 63, 31
}

} // namespace
