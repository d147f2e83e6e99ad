#include <allegro.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/Display.h"
#include "app/GameApp.h"
#include "app/State.h"
#include "assets/Asset.h"
#include "audio/Audio.h"
#include "frontend/StateIntro.h"
#include "input/Controls.h"
#include "play/ModalLoop.h"
#include "play/StatePlay.h"
#include "testkit/ModalGuard.h"
#include "support/PadBench.h"
#include "support/TempDir.h"

namespace {

// Stands in for whatever state was current: its Leave sees what was queued
// before the next state's Enter could flush it.
class CProbeState : public CState {
public:
    void Enter() override {}
    void Leave() override
    {
        ++leaves;
        soundsAtLeave = g_audio.pendingSounds;
    }
    void Pause() override {}
    void Resume() override {}
    void HandleInput(CGameApp&) override {}
    void Update(CGameApp&) override {}
    void Draw(CGameApp&) override {}

    int leaves = 0;
    std::set<std::string> soundsAtLeave;
};

class IntroTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        // Starting the game enters the one play state; it is put back afterwards.
        saved = std::move(*CStatePlay::Instance());
        g_display.backBuffer = create_bitmap(kScreenW, kScreenH);
        target = create_bitmap(kScreenW, kScreenH);
        g_display.SetPresentTarget(target);
        g_controls.useKeyboard = 1;
        g_controls.useMouse = 1;
    }
    void TearDown() override
    {
        g_bitmaps.ReleaseAll();
        g_sounds.ReleaseAll();
        g_fonts.ReleaseAll();
        g_display.SetPresentTarget(nullptr);
        destroy_bitmap(g_display.backBuffer);
        g_display.backBuffer = nullptr;
        destroy_bitmap(target);
        *CStatePlay::Instance() = std::move(saved);
        TempDirTest::TearDown();
    }

    // A title picture, lopsided so that a flip or shift shows, with holes of
    // the mask colour (or none, or only its last pixel); written as
    // bitmap-menu's TITLE_IMG.
    enum EHoles { kNoHoles, kLastPixelHole, kHoles };
    void WriteTitle(int w, int h, EHoles holes = kHoles)
    {
        BITMAP* b = create_bitmap_ex(16, w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                putpixel(b, x, y, holes == kHoles && (x + 2 * y) % 7 == 0 ? makecol(255, 0, 255) : makecol(x & 255, y & 255, (x * y) & (holes == kHoles ? 255 : 127)));
        if (holes == kLastPixelHole)
            putpixel(b, w - 1, h - 1, makecol(255, 0, 255));
        std::filesystem::create_directories(dir / "data" / "img");
        save_bitmap((dir / "data" / "img" / "title.bmp").c_str(), b, nullptr);
        destroy_bitmap(b);
        WriteFile("data/bitmap-menu.ykd",
                  "[guidelines]\ntype = image\nassetdir = data\\img\ndefaultext = bmp\nasset1 = title\n"
                  "[title]\ntag = TITLE_IMG\n");
    }

    CStatePlay saved;
    BITMAP* target = nullptr;
};

TEST_F(IntroTest, EnterLoadsTheTitleFlushesSoundsAndPlaysTrackTwo)
{
    WriteTitle(40, 30);
    CGameApp app;
    g_audio.currentTrack = 7;
    g_audio.PlaySound("HATCH_SFX");
    app.ChangeState(CStateIntro::Instance());
    ASSERT_NE(g_bitmaps.Get("TITLE_IMG"), nullptr);
    EXPECT_EQ(g_bitmaps.Get("TITLE_IMG")->w, 40);
    EXPECT_TRUE(g_audio.pendingSounds.empty());
    EXPECT_EQ(g_audio.currentTrack, 2);

    g_audio.PlaySound("HATCH_SFX");
    CStateIntro::Instance()->Pause();
    EXPECT_EQ(g_audio.pendingSounds.size(), 1u);
    CStateIntro::Instance()->Resume();
    EXPECT_TRUE(g_audio.pendingSounds.empty());

    // Leaving frees the title, so play loads its own sets afresh.
    CStateIntro::Instance()->Leave();
    EXPECT_EQ(g_bitmaps.Get("TITLE_IMG"), nullptr);
}

TEST_F(IntroTest, TitleIsDrawnMaskedAtTheTopLeftAndPresented)
{
    WriteTitle(300, 200);
    CStateIntro::Instance()->Enter();
    BITMAP* title = g_bitmaps.Get("TITLE_IMG");
    ASSERT_NE(title, nullptr);
    const int old = makecol(10, 20, 30);
    clear_to_color(g_display.backBuffer, old);
    CGameApp app;
    CStateIntro::Instance()->Draw(app);
    int masked = 0;
    for (int y = 0; y < 210; ++y)
        for (int x = 0; x < 310; ++x) {
            const bool inside = x < 300 && y < 200;
            const int src = inside ? getpixel(title, x, y) : -1;
            const bool hole = !inside || src == makecol(255, 0, 255);
            masked += inside && hole;
            ASSERT_EQ(getpixel(g_display.backBuffer, x, y), hole ? old : src) << x << "," << y;
            ASSERT_EQ(getpixel(target, x, y), getpixel(g_display.backBuffer, x, y)) << x << "," << y;
        }
    EXPECT_GT(masked, 100);
    CStateIntro::Instance()->Leave();
}

// A title without holes covers its whole place; titles loaded later with
// holes (even a single one in the last pixel) are masked again: what was
// learnt of one picture is not kept for the next.
TEST_F(IntroTest, AWholeTitleCoversItsPlaceAndLaterTitlesWithHolesAreMaskedAgain)
{
    CGameApp app;
    CStateIntro intro; // learns nothing from titles drawn by other tests
    const int old = makecol(10, 20, 30);
    for (EHoles holes : {kNoHoles, kLastPixelHole, kHoles}) {
        WriteTitle(300, 200, holes);
        intro.Enter();
        BITMAP* title = g_bitmaps.Get("TITLE_IMG");
        ASSERT_NE(title, nullptr);
        clear_to_color(g_display.backBuffer, old);
        intro.Draw(app);
        int shown = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x) {
                const int src = getpixel(title, x, y);
                const int want = src == makecol(255, 0, 255) ? old : src;
                ASSERT_EQ(getpixel(g_display.backBuffer, x, y), want) << holes << " " << x << "," << y;
                shown += want == src;
            }
        EXPECT_EQ(shown == 300 * 200, holes == kNoHoles);
        EXPECT_EQ(getpixel(g_display.backBuffer, 300, 200), old);
        intro.Leave();
    }
}

TEST_F(IntroTest, EscapeQuitsOnReleaseSpaceOrAClickStartsOnPress)
{
    enum EInput { kEsc, kSpace, kEnter, kLeft, kRight };
    struct Case {
        const char* name;
        std::vector<EInput> before, now; // down at the poll before, down at this tick's poll
        bool quits, starts;
    };
    const Case cases[] = {
        {"escape let go", {kEsc}, {}, true, false},
        {"escape pressed", {}, {kEsc}, false, false},
        {"escape held", {kEsc}, {kEsc}, false, false},
        {"space pressed", {}, {kSpace}, false, true},
        {"space held from before", {kSpace}, {kSpace}, false, false},
        {"space let go", {kSpace}, {}, false, false},
        {"left click", {}, {kLeft}, false, true},
        {"left held", {kLeft}, {kLeft}, false, false},
        {"right click", {}, {kRight}, false, false},
        {"enter pressed", {}, {kEnter}, false, false},
        {"escape let go and space pressed", {kEsc}, {kSpace}, true, true},
        {"escape let go and a click", {kEsc}, {kLeft}, true, true},
    };
    auto hold = [](const std::vector<EInput>& down) {
        for (int i = 0; i < KEY_MAX; ++i)
            key[i] = 0;
        int buttons = 0;
        for (EInput in : down) {
            switch (in) {
            case kEsc: key[KEY_ESC] = 1; break;
            case kSpace: key[KEY_SPACE] = 1; break;
            case kEnter: key[KEY_ENTER] = 1; break;
            case kLeft: buttons |= 1; break;
            case kRight: buttons |= 2; break;
            }
        }
        mouse_b = buttons;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_controls = CControls();
        g_controls.useKeyboard = 1;
        g_controls.useMouse = 1;
        CProbeState current;
        CGameApp app;
        app.SetRunning(true);
        app.PushState(&current);
        g_audio.pendingSounds.clear();
        // The level-select screen that play opens is left again with Escape.
        int passes = 0;
        g_modalPassHook = Guarded([&] {
            hold({});
            key[KEY_ESC] = ++passes % 2 == 1;
        });
        hold(c.before);
        g_controls.Poll();
        hold(c.now);
        testing::internal::CaptureStderr(); // play finds no art here and says so
        CStateIntro::Instance()->HandleInput(app);
        testing::internal::GetCapturedStderr();
        g_modalPassHook = nullptr;
        EXPECT_EQ(app.IsRunning(), !c.quits);
        EXPECT_EQ(app.Current() == CStatePlay::Instance(), c.starts);
        EXPECT_EQ(current.leaves, c.starts ? 1 : 0);
        // The anvil is queued before the state changes.
        EXPECT_EQ(current.soundsAtLeave.count("ANVIL_SFX"), c.starts ? 1u : 0u);
        if (c.starts)
            CStatePlay::Instance()->Leave();
        else
            EXPECT_TRUE(g_audio.pendingSounds.empty());
    }
}

// A pad on the title: A and Start start as Space does, on their press;
// Back quits as Escape does, on its release; B and Y do nothing here.
TEST_F(IntroTest, APadsAOrStartStartsAndItsBackQuitsOnRelease)
{
    struct Case {
        const char* name;
        std::vector<EPadInput> before, now;
        bool quits, starts;
    };
    const Case cases[] = {
        {"A pressed", {}, {kPadA}, false, true},
        {"A held from before", {kPadA}, {kPadA}, false, false},
        {"Start pressed", {}, {kPadStart}, false, true},
        {"Back pressed", {}, {kPadBack}, false, false},
        {"Back let go", {kPadBack}, {}, true, false},
        {"B let go", {kPadB}, {}, false, false},
        {"Y pressed", {}, {kPadY}, false, false},
        {"a direction", {}, {kPadUp}, false, false},
    };
    SPadBench bench;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_controls = CControls();
        g_controls.useKeyboard = 1;
        g_controls.useMouse = 1;
        bench.Start();
        ASSERT_TRUE(bench.pads[0].Attach());
        auto hold = [&](const std::vector<EPadInput>& down) {
            for (int i = 0; i < kPadInputs; ++i)
                bench.pads[0].Press(EPadInput(i), false);
            for (EPadInput in : down)
                bench.pads[0].Press(in, true);
        };
        for (int i = 0; i < KEY_MAX; ++i)
            key[i] = 0;
        mouse_b = 0;
        CProbeState current;
        CGameApp app;
        app.SetRunning(true);
        app.PushState(&current);
        int passes = 0;
        g_modalPassHook = Guarded([&] {
            hold({});
            key[KEY_ESC] = ++passes % 2 == 1;
        });
        hold(c.before);
        g_controls.Poll();
        hold(c.now);
        testing::internal::CaptureStderr();
        CStateIntro::Instance()->HandleInput(app);
        testing::internal::GetCapturedStderr();
        g_modalPassHook = nullptr;
        EXPECT_EQ(app.IsRunning(), !c.quits);
        EXPECT_EQ(app.Current() == CStatePlay::Instance(), c.starts);
        if (c.starts)
            CStatePlay::Instance()->Leave();
        bench.pads[0].Detach();
    }
    g_controls = CControls();
}

} // namespace
