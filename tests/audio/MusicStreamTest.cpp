#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

#include "app/TickTimer.h"
#include "audio/MusicStream.h"
#include "support/OggWriter.h"
#include "support/TempDir.h"

namespace {

constexpr const char* kTrack = "data//ogg//r32.ogg";

// Without a sound driver the stream plays silently at the pace of the
// hundredths clock, so each test frame moves the clock on.
class MusicStreamTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        CTickTimer::SetNow(0);
    }
    void TearDown() override
    {
        music.Close();
        TempDirTest::TearDown();
    }
    void WriteTrack(const std::string& bytes) { WriteFile("data/ogg/r32.ogg", bytes); }
    void Frame(int hsec = 5)
    {
        CTickTimer::SetNow(CTickTimer::Now() + hsec);
        music.Update();
    }
    int64_t Decoded() const { return music.stream ? music.stream->Decoder().FramesDecoded() : -1; }
    // Frames until the track starts again; gives what the pass before decoded.
    int64_t PlayUntilRestart(int maxFrames = 2000)
    {
        int64_t last = Decoded();
        for (int i = 0; i < maxFrames; ++i) {
            Frame();
            if (Decoded() < last)
                return last;
            last = Decoded();
        }
        return -1;
    }

    CMusicStream music;
};

} // namespace

TEST_F(MusicStreamTest, ShortTrackComesInOneLastBlockAndLoops)
{
    const int frames = 11025;
    WriteTrack(MakeOgg({.frames = frames}));
    ASSERT_EQ(music.Open(kTrack), 0);
    EXPECT_TRUE(music.stream->Decoder().HasLastBlock());
    EXPECT_EQ(alogg_get_oggstream_buffer(music.stream), nullptr);
    EXPECT_TRUE(alogg_is_playing_oggstream(music.stream));
    EXPECT_EQ(PlayUntilRestart(), frames);
    EXPECT_EQ(PlayUntilRestart(), frames);
    EXPECT_EQ(music.currentFile, kTrack);
}

TEST_F(MusicStreamTest, LongTrackIsFedBlockByBlockAndLoops)
{
    const int frames = 44100 * 5;
    const std::string data = MakeOgg({.frames = frames, .rate = 44100, .noise = true, .quality = 1.0f});
    ASSERT_GT(data.size(), 2u * CMusicStream::kBlockSize); // three blocks at least
    WriteTrack(data);
    ASSERT_EQ(music.Open(kTrack), 0);
    EXPECT_FALSE(music.stream->Decoder().HasLastBlock());
    int64_t last = 0;
    bool sawLastBlock = false; // the short block at the end is handed back as the last
    for (int i = 0; i < 2000 && Decoded() >= last; ++i) {
        last = Decoded();
        sawLastBlock = sawLastBlock || music.stream->Decoder().HasLastBlock();
        EXPECT_LE(music.stream->Decoder().BytesQueued(), 2u * CMusicStream::kBlockSize);
        Frame();
    }
    EXPECT_EQ(last, frames);
    EXPECT_TRUE(sawLastBlock);
    EXPECT_FALSE(music.stream->Decoder().HasLastBlock()); // started over from the first block
}

TEST_F(MusicStreamTest, StoppedTrackStartsAgainFromItsBeginningAtTheNextFrame)
{
    const int frames = 22050 * 3;
    WriteTrack(MakeOgg({.frames = frames}));
    ASSERT_EQ(music.Open(kTrack), 0);
    music.SetVolume(114);
    for (int i = 0; i < 20; ++i)
        Frame();
    EXPECT_GT(Decoded(), 0);

    music.Stop();
    EXPECT_FALSE(alogg_is_playing_oggstream(music.stream));
    Frame();
    ASSERT_NE(music.stream, nullptr);
    EXPECT_TRUE(alogg_is_playing_oggstream(music.stream));
    EXPECT_EQ(Decoded(), 0);
    EXPECT_EQ(music.stream->Volume(), 114);
    EXPECT_EQ(PlayUntilRestart(), frames);
}

// Damage found while decoding cuts the pass short; the track then starts over.
TEST_F(MusicStreamTest, CorruptTrackEndsEarlyAndStartsOver)
{
    const int frames = 22050 * 12;
    std::string data = MakeOgg({.frames = frames});
    for (std::size_t i = data.size() * 2 / 3; i < data.size() * 2 / 3 + 64; ++i)
        data[i] = static_cast<char>(data[i] ^ 0x5a);
    WriteTrack(data);
    ASSERT_EQ(music.Open(kTrack), 0);
    const int64_t pass = PlayUntilRestart();
    EXPECT_GT(pass, 0);
    EXPECT_LT(pass, frames);
    EXPECT_EQ(PlayUntilRestart(), pass);
}

// A file that cannot be played leaves no stream, so later frames do not try
// it again, even once a good file is in its place.
TEST_F(MusicStreamTest, UnplayableFileFailsAndIsNotReopened)
{
    const std::string good = MakeOgg({.frames = 11025});
    const struct {
        const char* what;
        const char* bytes; // null: no file at all
    } cases[] = {
        {"missing", nullptr},
        {"empty", ""},
        {"not Ogg", "RIFF....WAVEfmt this is no music"},
        {"directory", nullptr},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(dir / "data");
        if (c.bytes)
            WriteTrack(c.bytes);
        if (std::string(c.what) == "directory")
            std::filesystem::create_directories(dir / "data/ogg/r32.ogg");
        EXPECT_EQ(music.Open(kTrack), -1) << c.what;
        EXPECT_EQ(music.stream, nullptr) << c.what;
        EXPECT_EQ(music.file, nullptr) << c.what;
        EXPECT_EQ(music.currentFile, kTrack) << c.what;
        std::filesystem::remove_all(dir / "data");
        WriteTrack(good);
        Frame();
        Frame();
        EXPECT_EQ(music.stream, nullptr) << c.what;
    }
    const std::string truncated[] = {good.substr(0, 100), MakeOgg({.frames = 0})};
    for (const std::string& bytes : truncated) {
        WriteTrack(bytes);
        EXPECT_EQ(music.Open(kTrack), -1) << bytes.size() << " bytes";
        EXPECT_EQ(music.stream, nullptr);
    }
    WriteTrack(good);
    EXPECT_EQ(music.Open(kTrack), 0);
}

// Without a sound driver the output asks for both halves of its buffer at
// once, so the first frame decodes two play buffers' worth.
TEST_F(MusicStreamTest, OpenStartsAtNormalSpeedWithPlayBuffersOf65536Bytes)
{
    WriteTrack(MakeOgg({.frames = 22050 * 10}));
    music.speed = 500;
    ASSERT_EQ(music.Open(kTrack), 0);
    EXPECT_EQ(music.speed, 1000);
    music.Update();
    EXPECT_EQ(Decoded() * music.stream->Decoder().BytesPerFrame(), 2 * 65536);
}

TEST_F(MusicStreamTest, ReopeningAndClosingLeaveNoFileOpen)
{
    auto OpenFiles = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator{});
    };
    WriteTrack(MakeOgg({.frames = 2205}));
    const auto before = OpenFiles();
    for (int i = 0; i < 20; ++i) {
        ASSERT_EQ(music.Open(kTrack), 0);
        music.Stop();
        Frame(); // starts it again: one more open
    }
    music.Close();
    EXPECT_EQ(OpenFiles(), before);
}
