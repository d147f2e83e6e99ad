#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/OggDecoder.h"
#include "support/OggWriter.h"

namespace {

using Pcm = std::vector<unsigned char>;

// Feeds `data` the way the music stream does: the first block at Open, then
// a block whenever the decoder asks, a short (possibly empty) one last.
Pcm DecodeInBlocks(const std::string& data, int blockSize)
{
    COggDecoder decoder(blockSize);
    const std::size_t first = std::min<std::size_t>(blockSize, data.size());
    EXPECT_TRUE(decoder.Open(data.data(), static_cast<int>(first), first < static_cast<std::size_t>(blockSize)));
    std::size_t pos = first;
    Pcm pcm;
    Pcm round(512 * decoder.BytesPerFrame());
    for (int guard = 0; guard < 100000 && !decoder.Finished(); ++guard) {
        if (void* buffer = decoder.RefillBuffer()) {
            const std::size_t n = std::min<std::size_t>(blockSize, data.size() - pos);
            std::copy_n(data.data() + pos, n, static_cast<char*>(buffer));
            pos += n;
            decoder.CommitRefill(n == static_cast<std::size_t>(blockSize) ? -1 : static_cast<int>(n));
        }
        const int got = decoder.Read(round.data(), 512);
        pcm.insert(pcm.end(), round.begin(), round.begin() + got * decoder.BytesPerFrame());
    }
    EXPECT_TRUE(decoder.Finished());
    EXPECT_FALSE(decoder.Failed());
    EXPECT_TRUE(decoder.HasLastBlock());
    EXPECT_EQ(decoder.RefillBuffer(), nullptr);
    EXPECT_EQ(pos, data.size());
    return pcm;
}

} // namespace

// Block boundaries fall anywhere inside pages and packets; running dry
// between blocks must not lose or repeat sound.
TEST(OggDecoder, BlockFeedingDecodesExactlyWhatOneWholeBlockGives)
{
    const struct {
        OggSignal signal;
        int blockSize;
    } cases[] = {
        {{.frames = 22050 * 3, .channels = 1, .rate = 22050}, 5000},
        {{.frames = 44100 * 2, .channels = 2, .rate = 44100, .noise = true, .quality = 0.5f}, 7919},
        {{.frames = 1000, .channels = 2, .rate = 22050}, 1 << 20},
    };
    for (const auto& c : cases) {
        const std::string data = MakeOgg(c.signal);
        const Pcm whole = DecodeInBlocks(data, 1 << 24);
        EXPECT_EQ(whole.size(), static_cast<std::size_t>(c.signal.frames) * c.signal.channels * 2);
        EXPECT_EQ(DecodeInBlocks(data, c.blockSize), whole) << "block size " << c.blockSize;
    }
}

// A file that ends exactly on a block boundary gets an empty last block.
TEST(OggDecoder, EmptyLastBlockEndsTheTrack)
{
    std::string data = MakeOgg({.frames = 30000});
    const int blockSize = 6000;
    data.resize((data.size() / blockSize + 1) * blockSize, '\0'); // trailing zeros are skipped as junk
    EXPECT_EQ(DecodeInBlocks(data, blockSize).size(), 30000u * 4);
}

TEST(OggDecoder, RejectsDataItCannotPlay)
{
    const std::string good = MakeOgg({.frames = 4410});
    const struct {
        const char* what;
        std::string data;
        bool lastBlock;
    } cases[] = {
        {"text", std::string(5000, 'x'), true},
        {"cut inside the headers", good.substr(0, 200), true},
        {"headers but no sound", MakeOgg({.frames = 0}), true},
        {"three channels", MakeOgg({.frames = 4410, .channels = 3}), true},
        {"nothing", std::string(), true},
    };
    for (const auto& c : cases) {
        COggDecoder decoder;
        EXPECT_FALSE(decoder.Open(c.data.data(), static_cast<int>(c.data.size()), c.lastBlock)) << c.what;
        EXPECT_EQ(decoder.RefillBuffer(), nullptr) << c.what;
    }
}

// Damage in the middle of the sound: the track ends there, nothing breaks.
TEST(OggDecoder, CorruptDataEndsTheTrackEarly)
{
    const int frames = 22050 * 12;
    std::string data = MakeOgg({.frames = frames});
    for (std::size_t i = data.size() * 2 / 3; i < data.size() * 2 / 3 + 64; ++i)
        data[i] = static_cast<char>(data[i] ^ 0x5a);
    COggDecoder decoder;
    ASSERT_TRUE(decoder.Open(data.data(), static_cast<int>(data.size()), true));
    Pcm buffer(4096 * decoder.BytesPerFrame());
    int total = 0;
    for (int guard = 0; guard < 1000 && !decoder.Finished(); ++guard)
        total += decoder.Read(buffer.data(), 4096);
    EXPECT_TRUE(decoder.Finished());
    EXPECT_TRUE(decoder.Failed());
    EXPECT_GT(total, 0);
    EXPECT_LT(total, frames);
}
