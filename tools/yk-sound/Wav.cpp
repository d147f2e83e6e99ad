#include "Wav.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace {

void Put32(std::ofstream& f, uint32_t v)
{
    const char b[4] = {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    f.write(b, 4);
}
void Put16(std::ofstream& f, uint16_t v)
{
    const char b[2] = {char(v), char(v >> 8)};
    f.write(b, 2);
}

} // namespace

bool WriteWav(const std::string& path, const Buffer& samples)
{
    std::ofstream f(path, std::ios::binary);
    const uint32_t bytes = uint32_t(samples.size() * 2);
    f.write("RIFF", 4);
    Put32(f, 36 + bytes);
    f.write("WAVEfmt ", 8);
    Put32(f, 16);
    Put16(f, 1); // PCM
    Put16(f, 1); // mono
    Put32(f, kRate);
    Put32(f, kRate * 2);
    Put16(f, 2);
    Put16(f, 16);
    f.write("data", 4);
    Put32(f, bytes);
    for (float v : samples)
        Put16(f, uint16_t(int16_t(std::clamp(v, -1.0f, 1.0f) * 32767)));
    if (!f) {
        std::fprintf(stderr, "yk-sound: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}
