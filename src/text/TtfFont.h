#pragma once
#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <cstdint>
#include <vector>

constexpr int kCoveragePadding = 8; // bytes of zero after a glyph's coverage

// A grey value of a face rendered with LEVELS grey levels (0 .. LEVELS - 1)
// as coverage 0..255. The top level must be full ink, so the scale is
// 255 / (LEVELS - 1): 256 / LEVELS would leave a two-level face's ink at 128,
// half transparent. 256 levels (and a degenerate count) pass through.
inline uint8_t CoverageByte(int value, int levels)
{
    return levels > 1 && levels < 256 ? static_cast<uint8_t>(value * 255 / (levels - 1)) : static_cast<uint8_t>(value);
}

// One glyph rasterised at the font's current size.
struct TtfGlyph {
    bool cached = false;           // rendered since the last size change
    int width = 0;                 // pixels
    int rows = 0;                  // pixels
    int left = 0;                  // pixels from the pen to the first column
    int top = 0;                   // pixels from the baseline up to the first row
    bool hasPixels = false;        // coverage holds width * rows bytes (and zeros)
    std::vector<uint8_t> coverage; // row by row; 0 empty, 255 full
    int advanceX = 0;              // pixels
    int advanceY = 0;              // pixels
};

// A TrueType face with its size and lazily filled glyph cache.
struct ALFONT_FONT {
    FT_Face face = nullptr;       // null once the text layer has ended
    int size = 0;                 // requested line height, pixels (also the line box)
    int realSize = 0;             // FreeType pixel size set on the face
    int ascent = 0;               // pixels above the baseline at realSize
    int spacing = 0;              // pixels added after every non-zero advance
    int fixedCount = 0;           // -1 for a scalable face, else number of fixed sizes
    std::vector<TtfGlyph> glyphs; // by glyph index
    std::vector<int> fixedSizes;  // pixel heights, ended by -1
    // Glyph index of the first 256 character codes, -1 until asked; the
    // face's character map is searched once per character, not per draw.
    std::array<int32_t, 256> latinIndex = MakeUnknownIndex();

    static std::array<int32_t, 256> MakeUnknownIndex()
    {
        std::array<int32_t, 256> a;
        a.fill(-1);
        return a;
    }
};

// The glyph drawn for a character, rendered on first use; null when the
// font has no face any more.
const TtfGlyph* TtfGlyphFor(ALFONT_FONT* font, int c);
