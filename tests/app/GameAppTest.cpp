#include <allegro.h>
#include <gtest/gtest.h>

#include "app/Display.h"
#include "app/GameApp.h"
#include "audio/Audio.h"
#include "audio/MusicStream.h"
#include "support/OggWriter.h"
#include "support/TempDir.h"

namespace {

class GameAppTest : public TempDirTest {
protected:
    void TearDown() override
    {
        g_music.Close();
        g_music = CMusicStream{};
        g_display = CDisplay{};
        TempDirTest::TearDown();
    }
    int Setting(const char* key)
    {
        set_config_file("settings.ini");
        const int v = get_config_int("audio", key, -1);
        set_config_file("release");
        return v;
    }
};

TEST_F(GameAppTest, StartMakesBuffersAndHoldsTheFirstTrackReleaseSavesAndFreesThem)
{
    WriteFile("data/ogg/r32.ogg", MakeOgg({.frames = 22050}));
    CGameApp app;
    ASSERT_EQ(app.Start(), 0);
    ASSERT_NE(g_display.backBuffer, nullptr);
    EXPECT_EQ(g_display.backBuffer->w, 1024);
    EXPECT_EQ(g_display.backBuffer->h, 768);
    EXPECT_NE(g_display.cursorSprite, nullptr);
    ASSERT_NE(g_music.stream, nullptr);
    EXPECT_EQ(g_music.currentFile, "data//ogg//r32.ogg");
    EXPECT_FALSE(alogg_is_playing_oggstream(g_music.stream));

    g_audio.soundVolume = 12;
    g_audio.musicVolume = 34;
    g_audio.masterVolume = 56;
    app.Release();
    EXPECT_EQ(g_display.backBuffer, nullptr);
    EXPECT_EQ(g_display.cursorSprite, nullptr);
    EXPECT_EQ(g_music.stream, nullptr);
    EXPECT_EQ(g_music.file, nullptr);
    EXPECT_EQ(Setting("maxvolumesounds"), 12);
    EXPECT_EQ(Setting("maxvolumemusic"), 34);
    EXPECT_EQ(Setting("maxvolumemaster"), 56);
}

} // namespace
