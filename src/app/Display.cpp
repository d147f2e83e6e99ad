#include "app/Display.h"
#include "app/ConfigFile.h"
#include "app/Draw16.h"
#include "app/SettingsFile.h"

#include <allegro.h>
#include <jpgalleg.h>
#include <loadpng.h>

#include <algorithm>
#include <chrono>
#include <thread>

CDisplay g_display;

namespace {
// Linux stand-ins for the preferred fullscreen and windowed drivers.
constexpr int kFullscreenDriver = GFX_XWINDOWS_FULLSCREEN;
constexpr int kWindowedDriver = GFX_XWINDOWS;
} // namespace

int CDisplay::Init(const char* title, int width, int height, int depth, bool fullscreen)
{
    fullscreen = ReadSettings();
    if (fullscreenOverride >= 0)
        fullscreen = fullscreenOverride != 0; // this run only: the file keeps its value

    width = kScreenW;
    height = kScreenH;
    depth = 16;
    set_color_depth(depth);
    const int attempts[] = {fullscreen ? kFullscreenDriver : kWindowedDriver, GFX_AUTODETECT,
                            kWindowedDriver};
    bool ok = false;
    for (int driver : attempts) {
        if (set_gfx_mode(driver, width, height, 0, 0) == 0) {
            ok = true;
            break;
        }
    }
    if (!ok) {
        allegro_message("Error setting graphics mode\n%s\n", allegro_error);
        return 1;
    }
    backBuffer = nullptr;
    cursorSprite = nullptr;
    // Asked for fullscreen, the library may still have fallen back to a
    // window: what counts is what it opened.
    if (gfx_driver && gfx_driver->windowed) {
        SetWindowTitle(title);
        set_display_switch_mode(SWITCH_BACKGROUND);
    }
    jpgalleg_init();
    register_png_file_type();
    set_config_file("release");
    return 0;
}

bool CDisplay::ReadSettings()
{
    OpenConfigFile(kSettingsFile);
    cursorVisible = false;
    const bool fullscreen = get_config_int("game", "fullscreen", 1) != 0;
    // Off unless the player asks: a laptop need not spin a core on the title.
    maxFps = std::max(0, get_config_int("game", "maxfps", 0));
    set_config_file("release");
    // Both keys written back as read, so that they always exist after a run.
    SettingsFile::Write(kSettingsFile, {{"game", "fullscreen", fullscreen ? "1" : "0"},
                                        {"game", "maxfps", std::to_string(maxFps)}});
    return fullscreen;
}

int CDisplay::CreateBuffers()
{
    backBuffer = create_bitmap(kScreenW, kScreenH);
    cursorSize = kCursorSize;
    cursorHalf = cursorSize >> 1;
    cursorSprite = create_bitmap(cursorSize, cursorSize);
    if (cursorSprite) {
        rectfill(cursorSprite, 0, 0, 29, 29, makecol(255, 0, 255));
        for (int r = 2; r <= 5; ++r)
            circle(cursorSprite, 14, 14, 14 - r, makecol(255, 255, 255));
        for (int d = -1; d <= 1; ++d) {
            line(cursorSprite, 14 - d, 0, 14 - d, 29, makecol(0, 0, 0));
            line(cursorSprite, 0, 14 - d, 29, 14 - d, makecol(0, 0, 0));
        }
    }
    ConfineMouse();
    return 0;
}

int CDisplay::DestroyBuffers()
{
    if (backBuffer)
        destroy_bitmap(backBuffer);
    if (cursorSprite)
        destroy_bitmap(cursorSprite);
    backBuffer = nullptr;
    cursorSprite = nullptr;
    return 0;
}

void CDisplay::Present()
{
    const int mx = PointerX();
    const int my = PointerY();
    cursorAngle = (cursorAngle - 4) & 255;
    if (cursorVisible && cursorSprite && backBuffer)
        rotate_sprite(backBuffer, cursorSprite, mx - cursorHalf, my - cursorHalf, itofix(cursorAngle));
    BITMAP* target = presentTarget ? presentTarget : screen;
    if (target && backBuffer)
        Draw16::Blit(backBuffer, target, 0, 0, 0, 0, kScreenW, kScreenH);
    if (maxFps > 0)
        CapFrameRate();
}

void CDisplay::CapFrameRate()
{
    using Clock = std::chrono::steady_clock;
    const auto frame = std::chrono::nanoseconds(1'000'000'000LL / maxFps);
    const auto now = Clock::now();
    // After a stall (loading, a slow frame) the cap starts afresh rather
    // than racing to catch up.
    if (nextFrame < now - frame)
        nextFrame = now;
    nextFrame += frame;
    std::this_thread::sleep_until(nextFrame);
}

void CDisplay::ConfineMouse()
{
    const int m = cursorHalf + 1;
    SetPointerRange(m, m, kScreenW - m, kScreenH - m);
}

ScreenFit::SPoint CDisplay::Pointer() const
{
    const ScreenFit::SPoint p = ScreenFit::OutputToFrame(mouse_x, mouse_y, picture, kScreenW, kScreenH);
    const ScreenFit::SRect& r = pointerRange;
    return {std::clamp(p.x, r.x, r.x + r.w - 1), std::clamp(p.y, r.y, r.y + r.h - 1)};
}

void CDisplay::SetPointerRange(int left, int top, int right, int bottom)
{
    left = std::clamp(left, 0, kScreenW - 1);
    top = std::clamp(top, 0, kScreenH - 1);
    right = std::clamp(right, left, kScreenW - 1);
    bottom = std::clamp(bottom, top, kScreenH - 1);
    pointerRange = {left, top, right - left + 1, bottom - top + 1};
    SetLibraryMouseRange();
}

void CDisplay::SetLibraryMouseRange()
{
    set_mouse_range(0, 0, outputW - 1, outputH - 1);
}

void CDisplay::MovePointer(int x, int y)
{
    const ScreenFit::SPoint o = ScreenFit::FrameToOutput(x, y, picture, kScreenW, kScreenH);
    position_mouse(o.x, o.y);
}

void CDisplay::SetWindowTitle(const char* title)
{
    if (system_driver && system_driver->set_window_title)
        system_driver->set_window_title(title);
}
