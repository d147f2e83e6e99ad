#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/Display.h"
#include "app/SettingsFile.h"
#include "app/TickTimer.h"
#include "assets/AssetBitmap.h"
#include "assets/AssetFont.h"
#include "assets/AssetSound.h"
#include "audio/Audio.h"
#include "play/LevelSelect.h"
#include "input/Controls.h"
#include "play/ModalLoop.h"

namespace {

// Every test starts from the same world, whatever ran before it in this
// process: empty registries, a cleared back buffer, the clock at 0, rand
// seeded, no keys down, no sounds queued, the starting folder current.
class CCleanWorld : public ::testing::EmptyTestEventListener {
public:
    CCleanWorld() : home(std::filesystem::current_path()) {}

    void OnTestStart(const ::testing::TestInfo&) override
    {
        std::filesystem::current_path(home);
        g_bitmaps.ReleaseAll();
        g_sounds.ReleaseAll();
        g_fonts.ReleaseAll();
        if (g_display.backBuffer)
            clear_to_color(g_display.backBuffer, 0);
        g_display.SetPresentTarget(nullptr);
        g_display.cursorVisible = false;
        g_display.cursorAngle = 0;
        g_timer.Reset();
        CTickTimer::SetNow(0);
        std::srand(1);
        g_audio = CAudio();
        g_controls = CControls();
        std::memset(const_cast<char*>(key), 0, KEY_MAX);
        mouse_b = 0;
        mouse_x = 0;
        mouse_y = 0;
        g_modalPassHook = nullptr;
        SettingsFile::beforeRename = nullptr;
        optionsHintDone = 0;
    }

private:
    std::filesystem::path home;
};

} // namespace

// Unit tests run Allegro without a system driver: memory bitmaps, colours
// and configuration files work; timers, screen and sound do not.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return 1;
    set_color_depth(16);
    ::testing::UnitTest::GetInstance()->listeners().Append(new CCleanWorld);
    return RUN_ALL_TESTS();
}
