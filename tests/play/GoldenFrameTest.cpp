// The play frame drawn over fixed scenes with fixed art, seed and clock
// must keep every pixel and every rand() draw: a change to drawing code
// that alters either shows up here. After an intended change of the
// frame's look, record the new values printed by the failure.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "app/Display.h"
#include "app/TickTimer.h"
#include "assets/Asset.h"
#include "testkit/HeadlessPlay.h"
#include "testkit/SampleScene.h"
#include "play/StatePlay.h"
#include "support/SceneArt.h"
#include "support/TempDir.h"

namespace {

uint32_t Checksum(BITMAP* b)
{
    uint32_t h = 2166136261u; // FNV-1a over the 16-bit pixels, row by row
    for (int y = 0; y < b->h; ++y) {
        const uint16_t* row = reinterpret_cast<const uint16_t*>(b->line[y]);
        for (int x = 0; x < b->w; ++x) {
            h = (h ^ (row[x] & 0xFF)) * 16777619u;
            h = (h ^ (row[x] >> 8)) * 16777619u;
        }
    }
    return h;
}

class GoldenFrameTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        WriteSceneArt(dir);
        play = std::make_unique<CStatePlay>();
        run = std::make_unique<CHeadlessPlay>(*play);
        run->LoadAssets();
        // Left over from other tests, either would change the frame.
        g_display.SetCursorVisible(false);
        solid_mode();
    }
    void TearDown() override
    {
        play->ClearAll();
        run.reset();
        play.reset();
        g_bitmaps.ReleaseAll();
        g_sounds.ReleaseAll();
        g_fonts.ReleaseAll();
        TempDirTest::TearDown();
    }

    std::unique_ptr<CStatePlay> play;
    std::unique_ptr<CHeadlessPlay> run;
};

TEST_F(GoldenFrameTest, FramesKeepTheirPixelsAndRandomDraws)
{
    enum EVariant { kPlain, kPausedFlashingCrossfire };
    struct Case {
        const char* name;
        SSceneRecipe recipe;
        EVariant variant;
        uint32_t checksum; // of the back buffer after the frame
        int nextRand;      // rand() after the frame
    };
    const Case cases[] = {
        {"heaviest", kHeaviestScene, kPlain, 0xef17c9afu, 160793631},
        {"typical", kTypicalScene, kPlain, 0xe6ee1183u, 1373252507},
        {"paused, flashing, crossfire", kHeaviestScene, kPausedFlashingCrossfire, 0xf4e8aeedu, 656319018},
    };
    for (const Case& c : cases) {
        BuildScene(*play, c.recipe);
        if (c.variant == kPausedFlashingCrossfire) {
            play->pausedAt = kSceneNow;
            play->gameMode = kModeCrossfire;
            play->flashUntil[0] = play->flashUntil[1] = kSceneNow + 40;
            std::srand(7); // both players flash, on black
        }
        clear_to_color(g_display.backBuffer, 0);
        play->Draw(run->app);
        const uint32_t sum = Checksum(g_display.backBuffer);
        const int next = std::rand();
        EXPECT_EQ(sum, c.checksum) << c.name << std::hex << ": checksum 0x" << sum;
        EXPECT_EQ(next, c.nextRand) << c.name << ": next rand() " << std::dec << next;
    }
}

} // namespace
