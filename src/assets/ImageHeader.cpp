#include "assets/ImageHeader.h"

#include <strings.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace ImageHeader {

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ReadStart(const std::string& path, size_t count)
{
    std::ifstream in(path, std::ios::binary);
    Bytes b(count);
    in.read(reinterpret_cast<char*>(b.data()), static_cast<std::streamsize>(count));
    b.resize(in ? count : static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return b;
}

uint32_t Be32(const Bytes& b, size_t at)
{
    return uint32_t{b[at]} << 24 | uint32_t{b[at + 1]} << 16 | uint32_t{b[at + 2]} << 8 | b[at + 3];
}
uint32_t Be16(const Bytes& b, size_t at) { return uint32_t{b[at]} << 8 | b[at + 1]; }
uint32_t Le16(const Bytes& b, size_t at) { return uint32_t{b[at]} | uint32_t{b[at + 1]} << 8; }
int32_t Le32(const Bytes& b, size_t at)
{
    return static_cast<int32_t>(uint32_t{b[at]} | uint32_t{b[at + 1]} << 8 | uint32_t{b[at + 2]} << 16 |
                                uint32_t{b[at + 3]} << 24);
}

bool Png(const std::string& path, SSize& size)
{
    static constexpr std::array<unsigned char, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    const Bytes b = ReadStart(path, 24);
    if (b.size() < 24 || !std::equal(kSignature.begin(), kSignature.end(), b.begin()) ||
        std::string(b.begin() + 12, b.begin() + 16) != "IHDR")
        return false;
    size = {Be32(b, 16), Be32(b, 20)};
    return true;
}

// Walks the markers up to the first start of frame (SOF0..SOF15 but the
// DHT, JPG and DAC markers that share the range).
bool Jpeg(const std::string& path, SSize& size)
{
    std::ifstream in(path, std::ios::binary);
    Bytes b(4);
    if (!in.read(reinterpret_cast<char*>(b.data()), 2) || b[0] != 0xff || b[1] != 0xd8)
        return false;
    for (;;) {
        if (!in.read(reinterpret_cast<char*>(b.data()), 2) || b[0] != 0xff)
            return false;
        const unsigned marker = b[1];
        if (marker == 0xff) { // fill byte
            in.seekg(-1, std::ios::cur);
            continue;
        }
        if (marker == 0x01 || (marker >= 0xd0 && marker <= 0xd7))
            continue; // markers without a length
        if (!in.read(reinterpret_cast<char*>(b.data()), 2))
            return false;
        const uint32_t length = Be16(b, 0);
        if (length < 2)
            return false;
        if (marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc) {
            Bytes f(5);
            if (!in.read(reinterpret_cast<char*>(f.data()), 5))
                return false;
            size = {Be16(f, 3), Be16(f, 1)};
            return true;
        }
        if (marker == 0xd9 || marker == 0xda)
            return false; // image data before any frame header
        in.seekg(length - 2, std::ios::cur);
    }
}

bool Bmp(const std::string& path, SSize& size)
{
    const Bytes b = ReadStart(path, 26);
    if (b.size() < 26 || b[0] != 'B' || b[1] != 'M')
        return false;
    if (Le32(b, 14) == 12) // the old OS/2 header: 16-bit sizes
        size = {Le16(b, 18), Le16(b, 20)};
    else // a negative height is a picture stored top down
        size = {Le32(b, 18), std::llabs(int64_t{Le32(b, 22)})};
    return true;
}

bool Pcx(const std::string& path, SSize& size)
{
    const Bytes b = ReadStart(path, 12);
    if (b.size() < 12 || b[0] != 0x0a)
        return false;
    size = {int64_t{Le16(b, 8)} - Le16(b, 4) + 1, int64_t{Le16(b, 10)} - Le16(b, 6) + 1};
    return true;
}

bool Tga(const std::string& path, SSize& size)
{
    const Bytes b = ReadStart(path, 18);
    if (b.size() < 18)
        return false;
    size = {Le16(b, 12), Le16(b, 14)};
    return true;
}

} // namespace

bool ReadSize(const std::string& path, const std::string& ext, SSize& size)
{
    static const struct {
        const char* ext;
        bool (*read)(const std::string&, SSize&);
    } kFormats[] = {{"png", Png}, {"jpg", Jpeg}, {"jpeg", Jpeg}, {"bmp", Bmp}, {"pcx", Pcx}, {"tga", Tga}};
    for (const auto& f : kFormats)
        if (strcasecmp(ext.c_str(), f.ext) == 0)
            return f.read(path, size);
    return false;
}

std::string Refusal(const std::string& path, const std::string& ext)
{
    SSize s;
    if (!ReadSize(path, ext, s) || (s.w <= kMaxSide && s.h <= kMaxSide && s.w * s.h <= kMaxPixels))
        return {};
    return "its header claims " + std::to_string(s.w) + "x" + std::to_string(s.h) + " pixels, more than " +
           std::to_string(kMaxSide) + " on a side or " + std::to_string(kMaxPixels / (1024 * 1024)) +
           " Mpixel";
}

} // namespace ImageHeader
