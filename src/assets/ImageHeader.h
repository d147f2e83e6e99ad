#pragma once
#include <cstdint>
#include <string>

// Reads the size an image file claims from its header alone, so that an
// image too large to allocate is refused before any decoder sees it (the
// decoders trust the header and crash when the allocation fails).
namespace ImageHeader {

// Limits generous for any picture of a 1024 x 768 game.
constexpr int64_t kMaxSide = 16384;
constexpr int64_t kMaxPixels = int64_t{64} * 1024 * 1024;

struct SSize {
    int64_t w = 0, h = 0;
};

// The size claimed by a PNG (IHDR), JPEG (SOF), BMP, PCX or TGA file, chosen
// by the extension as the loaders choose; false when the header gives none
// (another format, or a file too short or unreadable: the decoder decides).
bool ReadSize(const std::string& path, const std::string& ext, SSize& size);

// Empty when a decoder may be given the file, else why not (one phrase).
std::string Refusal(const std::string& path, const std::string& ext);

} // namespace ImageHeader
