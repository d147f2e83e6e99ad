#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "app/TickTimer.h"
#include "audio/Audio.h"
#include "audio/MusicStream.h"
#include "support/OggWriter.h"
#include "support/TempDir.h"

namespace {

struct Played {
    std::string name;
    int vol;
    int pan;
    int freq;
};

// A CAudio whose library calls are recorded: "ANVIL_SFX" and "BEEP_SFX" are
// in the registry, everything else is not.
class AudioTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        CTickTimer::SetNow(0);
        audio.hooks.install = [this](int driver) {
            attempts.push_back(driver);
            return driver == workingDriver ? 0 : -1;
        };
        audio.hooks.find = [this](const std::string& name) -> SAMPLE* {
            if (name == "ANVIL_SFX")
                return &anvil;
            return name == "BEEP_SFX" ? &beep : nullptr;
        };
        audio.hooks.play = [this](SAMPLE* s, int vol, int pan, int freq) {
            played.push_back({s == &anvil ? "ANVIL_SFX" : "BEEP_SFX", vol, pan, freq});
        };
    }
    void TearDown() override
    {
        g_music.Close();
        g_music = CMusicStream{};
        TempDirTest::TearDown();
    }
    std::string Setting(const char* key)
    {
        set_config_file("settings.ini");
        std::string value = get_config_string("audio", key, "(none)");
        set_config_file("release");
        return value;
    }

    CAudio audio;
    SAMPLE anvil{};
    SAMPLE beep{};
    int workingDriver = DIGI_ALSA;
    std::vector<int> attempts;
    std::vector<Played> played;
};

} // namespace

TEST_F(AudioTest, EachQueuedNameStartsOneVoiceAtTheNextFrameInNameOrder)
{
    audio.masterVolume = 0; // scales music only
    audio.soundVolume = 99;
    for (const char* name : {"BEEP_SFX", "BEEP_SFX", "NO_SUCH_SFX", "ANVIL_SFX", "BEEP_SFX"})
        audio.PlaySound(name);
    EXPECT_TRUE(played.empty());
    audio.Update();
    ASSERT_EQ(played.size(), 2u);
    EXPECT_EQ(played[0].name, "ANVIL_SFX");
    EXPECT_EQ(played[1].name, "BEEP_SFX");
    for (const Played& p : played) {
        EXPECT_EQ(p.vol, 99);
        EXPECT_EQ(p.pan, 127);
    }
    EXPECT_TRUE(audio.pendingSounds.empty());
    audio.Update();
    EXPECT_EQ(played.size(), 2u);
}

TEST_F(AudioTest, FlushDropsQueuedSounds)
{
    audio.PlaySound("ANVIL_SFX");
    audio.FlushSounds();
    audio.Update();
    EXPECT_TRUE(played.empty());
}

TEST_F(AudioTest, PitchVariesFrom900To1099)
{
    std::srand(7);
    std::set<int> seen;
    for (int i = 0; i < 4000; ++i) {
        audio.PlaySound("BEEP_SFX");
        audio.Update();
        seen.insert(played.back().freq);
    }
    EXPECT_EQ(*seen.begin(), 900);
    EXPECT_EQ(*seen.rbegin(), 1099);
    EXPECT_EQ(seen.size(), 200u);
}

TEST_F(AudioTest, OnlySoundsThatPlayDrawAPitch)
{
    // The recorded replays depend on the rand() stream: one draw per voice.
    std::srand(5);
    std::rand();
    std::rand();
    const int third = std::rand();
    std::srand(5);
    for (const char* name : {"ANVIL_SFX", "NO_SUCH_SFX", "BEEP_SFX", "OTHER_SFX"})
        audio.PlaySound(name);
    audio.Update();
    EXPECT_EQ(played.size(), 2u);
    EXPECT_EQ(std::rand(), third);
}

TEST_F(AudioTest, InitMasksVolumesAndRecordsTheDriverThatWorked)
{
    WriteFile("settings.ini", "[game]\nfullscreen = 0\n[audio]\nmaxvolumesounds = 300\n"
                              "maxvolumemusic = -1\nmaxvolumemaster = 511\n");
    workingDriver = DIGI_OSS;
    audio.Init();
    EXPECT_EQ(audio.soundVolume, 44);
    EXPECT_EQ(audio.musicVolume, 255);
    EXPECT_EQ(audio.masterVolume, 255);
    EXPECT_EQ(attempts, (std::vector<int>{DIGI_ALSA, DIGI_OSS}));
    EXPECT_EQ(Setting("lastUsed"), "DIGI_OSS");
    EXPECT_EQ(Setting("maxvolumesounds"), "300"); // written back only at shut-down
    audio.SaveSettings();
    EXPECT_EQ(Setting("maxvolumesounds"), "44");
    EXPECT_EQ(Setting("maxvolumemusic"), "255");
    EXPECT_NE(ReadFile("settings.ini").find("fullscreen = 0"), std::string::npos);
}

TEST_F(AudioTest, VolumesMissingFromTheFileKeepWhatTheFieldsHeld)
{
    WriteFile("settings.ini", "[audio]\nmaxvolumemusic = 90\n");
    audio.soundVolume = 77;
    audio.Init();
    EXPECT_EQ(audio.soundVolume, 77);
    EXPECT_EQ(audio.musicVolume, 90);
    EXPECT_EQ(audio.masterVolume, 230);
}

// A run while the sound system is down plays at volume 0 but saves the
// player's volumes (masked like any read): those it read, or those the
// player chose in the menu during the run, so the next run with sound has them.
TEST_F(AudioTest, WithoutAnyDriverTheGameIsSilentButKeepsThePlayersVolumes)
{
    WriteFile("settings.ini", "[audio]\nmaxvolumesounds = 200\nmaxvolumemusic = 300\n");
    WriteFile("data/ogg/r34.ogg", MakeOgg({.frames = 22050}));
    workingDriver = 12345;
    audio.Init();
    EXPECT_EQ(attempts, (std::vector<int>{DIGI_ALSA, DIGI_OSS, DIGI_JACK, DIGI_ESD, DIGI_AUTODETECT}));
    EXPECT_EQ(Setting("lastUsed"), "NONE");
    audio.PlaySound("BEEP_SFX");
    audio.Update();
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].vol, 0);
    audio.SelectTrack(3);
    EXPECT_EQ(g_music.volume, 0);
    audio.SaveSettings();
    EXPECT_EQ(Setting("maxvolumesounds"), "200");
    EXPECT_EQ(Setting("maxvolumemusic"), "44");

    // The player moves both bars (as the menu does) and the next save keeps that.
    audio.soundVolume = 90;
    audio.musicVolume = 10;
    audio.SelectTrack(-1);
    EXPECT_EQ(g_music.volume, 0);
    audio.SaveSettings();
    EXPECT_EQ(Setting("maxvolumesounds"), "90");
    EXPECT_EQ(Setting("maxvolumemusic"), "10");

    workingDriver = DIGI_ALSA;
    CAudio later;
    later.hooks = audio.hooks;
    later.Init();
    EXPECT_FALSE(later.silent);
    EXPECT_EQ(later.soundVolume, 90);
    EXPECT_EQ(later.musicVolume, 10);

    // The real library too: this build has no card, and Allegro's null
    // driver (which it gives for unknown ids) does not count as one.
    CAudio real;
    std::filesystem::remove("settings.ini");
    real.Init();
    EXPECT_EQ(Setting("lastUsed"), "NONE");
    EXPECT_TRUE(real.silent);
    real.SaveSettings();
    EXPECT_EQ(Setting("maxvolumesounds"), "160");
    EXPECT_EQ(Setting("maxvolumemusic"), "127");
    EXPECT_EQ(Setting("maxvolumemaster"), "230");
}

TEST_F(AudioTest, SelectTrackOpensItsFileOnceAndAppliesScaledMusicVolume)
{
    WriteFile("data/ogg/r34.ogg", MakeOgg({.frames = 22050}));
    audio.SelectTrack(3);
    EXPECT_EQ(audio.currentTrack, 3);
    EXPECT_EQ(g_music.currentFile, "data//ogg//r34.ogg");
    ASSERT_NE(g_music.stream, nullptr);
    EXPECT_EQ(g_music.volume, 114); // 127 * 230 >> 8
    EXPECT_EQ(g_music.stream->Volume(), 114);

    // The same index again: no reopen (a new stream would have decoded
    // nothing yet), no volume change.
    CTickTimer::SetNow(10);
    g_music.Update();
    const int64_t decoded = g_music.stream->Decoder().FramesDecoded();
    ASSERT_GT(decoded, 0);
    audio.musicVolume = 200;
    audio.SelectTrack(3);
    EXPECT_EQ(g_music.stream->Decoder().FramesDecoded(), decoded);
    EXPECT_EQ(g_music.volume, 114);

    // -1 only re-applies the volume.
    audio.SelectTrack(-1);
    EXPECT_EQ(audio.currentTrack, 3);
    EXPECT_EQ(g_music.stream->Decoder().FramesDecoded(), decoded);
    EXPECT_EQ(g_music.volume, 179); // 200 * 230 >> 8
    EXPECT_EQ(g_music.stream->Volume(), 179);

    // Out of range: remembered, nothing opened, volume applied.
    audio.musicVolume = 127;
    audio.SelectTrack(11);
    EXPECT_EQ(audio.currentTrack, 11);
    EXPECT_EQ(g_music.currentFile, "data//ogg//r34.ogg");
    EXPECT_EQ(g_music.volume, 114);
}

TEST_F(AudioTest, TrackIndicesNameTheirFiles)
{
    const struct {
        int index;
        const char* file;
    } cases[] = {{0, "data//ogg//r31.ogg"}, {1, "data//ogg//r32.ogg"}, {2, "data//ogg//r33.ogg"},
                 {3, "data//ogg//r34.ogg"}, {4, "data//ogg//r35.ogg"}, {5, "data//ogg//r36.ogg"},
                 {6, "data//ogg//r37.ogg"}, {7, "data//ogg//r38.ogg"}, {8, "data//ogg//r39.ogg"},
                 {9, "data//ogg//r40.ogg"}, {10, "data//ogg//rcoll.ogg"}};
    for (const auto& c : cases) {
        audio.SelectTrack(c.index);
        EXPECT_EQ(g_music.currentFile, c.file);
        EXPECT_EQ(g_music.stream, nullptr); // no such file here: silent, no crash
    }
}

TEST_F(AudioTest, StartMusicHoldsTheFirstTrackStoppedUntilTheNextFrame)
{
    EXPECT_EQ(audio.StartMusic(), 0); // missing file: still fine
    EXPECT_EQ(g_music.stream, nullptr);

    WriteFile("data/ogg/r32.ogg", MakeOgg({.frames = 22050}));
    EXPECT_EQ(audio.StartMusic(), 0);
    ASSERT_NE(g_music.stream, nullptr);
    EXPECT_FALSE(alogg_is_playing_oggstream(g_music.stream));
    audio.FlushSounds();
    ASSERT_NE(g_music.stream, nullptr);
    EXPECT_TRUE(alogg_is_playing_oggstream(g_music.stream));
    EXPECT_EQ(g_music.currentFile, "data//ogg//r32.ogg");

    // Every frame's update feeds the music the same way.
    g_music.Stop();
    audio.Update();
    ASSERT_NE(g_music.stream, nullptr);
    EXPECT_TRUE(alogg_is_playing_oggstream(g_music.stream));
}
