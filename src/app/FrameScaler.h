#pragma once
#include <cstdint>
#include <vector>

// Scales the 16-bit frame (5-6-5) to the picture's size on the window, in
// one pass into the window's own pixels (32-bit x8r8g8b8 or 16-bit 5-6-5).
//
// Sharp, not blurred: each window pixel takes the frame pixels it covers,
// weighted by how much of it each covers (area sampling). At a whole factor
// every window pixel lies inside one frame pixel, so it is a plain copy of
// it; at other factors only the one window pixel across a frame pixel's
// edge mixes the two sides. Smaller than the frame, it falls back to
// bilinear between the two nearest pixels.
class CFrameScaler {
public:
    // One axis: window pixel i takes frame pixel first[i] and, with weight
    // next[i] of 256, frame pixel first[i] + 1.
    struct SAxis {
        std::vector<int> first;
        std::vector<uint16_t> next;
    };
    static SAxis Taps(int frame, int window);

    // Eight window pixels across, for processors with AVX2: they take frame
    // pixels base + index[i] and the one after, with weight[i] of 256 of the
    // second; at a scale of 1 or more eight window pixels span at most eight
    // frame pixels, so two loads and two permutes fetch them all.
    struct SBlock {
        alignas(32) uint32_t index[8];
        alignas(32) uint32_t weight[8];
        int base;
    };

    // Prepares the tables; a no-op when the sizes are what they were.
    void Prepare(int frameW, int frameH, int pictureW, int pictureH);

    // src: frameH rows of frameW pixels, srcPitch bytes apart. dst: the
    // picture's top-left pixel, dstPitch bytes between rows.
    void Scale(const uint16_t* src, int srcPitch, uint32_t* dst, int dstPitch);
    void Scale(const uint16_t* src, int srcPitch, uint16_t* dst, int dstPitch);

    // The same pictures by the plainest loops there are, pixel by pixel
    // from the frame's own colours, for the tests to hold the fast one to.
    static void Reference(const uint16_t* src, int srcPitch, int frameW, int frameH, uint32_t* dst, int dstPitch,
                          int pictureW, int pictureH);

    // A 5-6-5 pixel as x8r8g8b8, each channel widened by repeating its top bits.
    static uint32_t Widen(uint16_t p)
    {
        const uint32_t r = (p >> 11) & 31, g = (p >> 5) & 63, b = p & 31;
        return ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
    }
    static uint16_t Narrow(uint32_t p)
    {
        return static_cast<uint16_t>(((p >> 8) & 0xF800) | ((p >> 5) & 0x07E0) | ((p >> 3) & 0x001F));
    }

    // Tests turn the vector road off to hold the plain one to the reference too.
    static inline bool allowVectors = true;

private:
    template <typename Pixel>
    void ScaleInto(const uint16_t* src, int srcPitch, Pixel* dst, int dstPitch);
    // Row y of the frame widened and scaled across, into one of two slots.
    const uint32_t* AcrossRow(const uint16_t* src, int srcPitch, int y);

    int frameW = 0, frameH = 0, pictureW = 0, pictureH = 0;
    SAxis across, down;
    std::vector<SBlock> blocks; // empty when the vector road cannot be taken
    std::vector<uint32_t> widened;  // one frame row as x8r8g8b8
    std::vector<uint32_t> rows[2];  // two frame rows scaled across
    int rowOf[2] = {-1, -1};        // which frame row each slot holds
};
