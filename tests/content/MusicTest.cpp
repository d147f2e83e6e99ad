// Every music track decodes, lasts 40 to 90 seconds and loops without a
// click: the last sample runs on into the first as smoothly as its
// neighbours run into each other.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Decoded {
    bool ok = false;
    long rate = 0;
    int channels = 0;
    std::vector<short> samples; // first channel only
};

Decoded Decode(const std::string& path)
{
    Decoded d;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return d;
    OggVorbis_File vf;
    if (ov_open(f, &vf, nullptr, 0) != 0) {
        std::fclose(f);
        return d;
    }
    const vorbis_info* vi = ov_info(&vf, -1);
    d.rate = vi->rate;
    d.channels = vi->channels;
    char buf[8192];
    int section = 0;
    long n;
    while ((n = ov_read(&vf, buf, sizeof buf, 0, 2, 1, &section)) > 0) {
        const short* s = reinterpret_cast<const short*>(buf);
        for (long i = 0; i < n / 2; i += d.channels)
            d.samples.push_back(s[i]);
    }
    d.ok = n == 0;
    ov_clear(&vf);
    return d;
}

int LargestStep(const std::vector<short>& s, size_t from, size_t to)
{
    int m = 0;
    for (size_t i = from; i + 1 < to; ++i)
        m = std::max(m, std::abs(s[i + 1] - s[i]));
    return m;
}

const char* const kTracks[] = {"r31", "r32", "r33", "r34", "r35", "r36", "r37", "r38", "r39", "r40", "rcoll"};

TEST(MusicTest, EveryTrackDecodesLastsAndLoopsSmoothly)
{
    for (const char* name : kTracks) {
        const std::string path = std::string(YK_DATA_DIR) + "/ogg/" + name + ".ogg";
        const Decoded d = Decode(path);
        ASSERT_TRUE(d.ok) << path;
        ASSERT_GT(d.rate, 0) << path;
        const double seconds = double(d.samples.size()) / d.rate;
        EXPECT_GE(seconds, 40.0) << name;
        EXPECT_LE(seconds, 90.0) << name;
        const size_t n = d.samples.size();
        ASSERT_GT(n, 1000u);
        const int around = std::max(LargestStep(d.samples, n - 64, n), LargestStep(d.samples, 0, 64));
        const int seam = std::abs(d.samples[0] - d.samples[n - 1]);
        EXPECT_LE(seam, around * 3 / 2 + 64) << name << ": a click where the loop restarts";
    }
}

} // namespace
