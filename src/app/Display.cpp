#include "app/Display.h"
#include "app/ConfigFile.h"
#include "app/Draw16.h"
#include "app/Paths.h"
#include "app/Settings.h"
#include "app/SettingsFile.h"
#include "app/XDesktop.h"
#include "input/Controls.h"

#include <allegro.h>
#include <jpgalleg.h>
#include <loadpng.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

CDisplay g_display;

namespace {
// Linux stand-ins for the preferred fullscreen and windowed drivers.
constexpr int kFullscreenDriver = GFX_XWINDOWS_FULLSCREEN;
constexpr int kWindowedDriver = GFX_XWINDOWS;
// The window's icon, drawn with the rest of the art.
constexpr const char* kIconFile = "data\\icon.png";

// The game's own window matches the desktop's pixels, so that the scaled
// frame goes straight into the window's image without a second pass.
int WindowDepth() { return desktop_color_depth() == 16 ? 16 : 32; }
} // namespace

int CDisplay::Init(const char* windowTitle, int width, int height, int depth, bool wantFullscreen)
{
    wantFullscreen = ReadSettings();
    if (fullscreenOverride >= 0)
        wantFullscreen = fullscreenOverride != 0; // this run only: the file keeps its value

    // The frame is 1024 x 768 in 16-bit colour whatever is asked.
    (void)width, (void)height, (void)depth;
    set_color_depth(16);
    title = windowTitle;
    if (!OpenMode(wantFullscreen)) {
        allegro_message("Error setting graphics mode\n%s\n", allegro_error);
        return 1;
    }
    backBuffer = nullptr;
    cursorSprite = nullptr;
    jpgalleg_init();
    register_png_file_type();
    SetWindowIcon();
    set_config_file("release");
    return 0;
}

bool CDisplay::OpenMode(bool wantFullscreen)
{
    bool ok = OpenWindow(wantFullscreen) || OpenFallback(wantFullscreen);
    if (!ok)
        return false;
    // The window keeps its title in both modes; it runs on while in the
    // background either way (a full-screen window is a window too).
    SetWindowTitle(title.c_str());
    set_display_switch_mode(SWITCH_BACKGROUND);
    SetLibraryMouseRange();
    XDesktop::TrackPointer();
    openedAs = ModeSettings();
    // The old window's focus goes with it: that is no player looking away.
    g_controls.IgnoreFocusLoss(kFocusSettle);
    return true;
}

std::string CDisplay::ModeSettings()
{
    return g_settings.Text("fullscreen") + " " + g_settings.Text("scaling") + " " + g_settings.Text("windowscale");
}

void CDisplay::ApplySettings()
{
    // Headless runs have no mode, and present every frame: nothing to follow.
    if (!screen)
        return;
    const std::string now = ModeSettings();
    if (now != openedAs) {
        // A run started with --windowed or --fullscreen keeps that mode
        // until the player picks one.
        const bool want = now[0] != openedAs[0] ? g_settings.Switch("fullscreen") : fullscreen;
        if (!OpenMode(want))
            OpenMode(!want);
    }
    pacer.SetRate(CFramePacer::RateOf(g_settings.Text("maxfps"), refresh));
}

bool CDisplay::OpenWindow(bool wantFullscreen)
{
    if (!XDesktop::Available())
        return false;
    const std::vector<XDesktop::SMonitor> monitors = XDesktop::Monitors();
    std::vector<ScreenFit::SRect> areas;
    int primary = -1;
    for (const XDesktop::SMonitor& m : monitors) {
        if (m.primary && primary < 0)
            primary = static_cast<int>(areas.size());
        areas.push_back(m.area);
    }
    const int chosen = ScreenFit::ChooseMonitor(areas, primary, XDesktop::PointerOnRoot());
    if (chosen < 0)
        return false;
    const XDesktop::SMonitor& monitor = monitors[static_cast<size_t>(chosen)];
    const ScreenFit::EScaling scaling =
        g_settings.Is("scaling", "whole") ? ScreenFit::EScaling::kWhole : ScreenFit::EScaling::kFill;
    const ScreenFit::SWindowPlan plan =
        wantFullscreen ? ScreenFit::PlanFullscreen(monitor.area, kScreenW, kScreenH, scaling)
                       : ScreenFit::PlanWindow(XDesktop::WorkArea(monitor.area), kScreenW, kScreenH,
                                               g_settings.Number("windowscale", 0));
    const ScreenFit::SPoint at{plan.window.x, plan.window.y};
    XDesktop::PrepareWindow(wantFullscreen, at);
    set_color_depth(WindowDepth());
    const int failed = set_gfx_mode(kWindowedDriver, plan.window.w, plan.window.h, 0, 0);
    set_color_depth(16); // everything the game draws stays 16-bit
    if (failed)
        return false;
    // The game's 16-bit pixels are 5-6-5 with red on top, as the scaler
    // reads them. The library sets its 16-bit layout only for a 16-bit
    // screen; beside a 32-bit one it would keep its default (blue on top)
    // and every colour would reach the window with red and blue swapped.
    _rgb_r_shift_16 = 11;
    _rgb_g_shift_16 = 5;
    _rgb_b_shift_16 = 0;
    XDesktop::SettleWindow(wantFullscreen, at);
    // The bars: black in the window's image, as the window already shows
    // them (its background is black), so nothing needs sending yet.
    for (int y = 0; y < SCREEN_H; ++y)
        std::memset(screen->line[y], 0, static_cast<size_t>(SCREEN_W) * ((bitmap_color_depth(screen) + 7) / 8));
    fullscreen = wantFullscreen;
    scaledScreen = true;
    outputW = SCREEN_W;
    outputH = SCREEN_H;
    picture = plan.picture;
    scaler.Prepare(kScreenW, kScreenH, picture.w, picture.h);
    refresh = monitor.refresh;
    pacer.SetRate(CFramePacer::RateOf(g_settings.Text("maxfps"), refresh));
    return true;
}

bool CDisplay::OpenFallback(bool wantFullscreen)
{
    set_color_depth(16);
    const int attempts[] = {wantFullscreen ? kFullscreenDriver : kWindowedDriver, GFX_AUTODETECT, kWindowedDriver};
    for (int driver : attempts)
        if (set_gfx_mode(driver, kScreenW, kScreenH, 0, 0) == 0) {
            // Asked for fullscreen, the library may still have fallen back to
            // a window: what counts is what it opened.
            fullscreen = gfx_driver && !gfx_driver->windowed;
            scaledScreen = false;
            outputW = kScreenW;
            outputH = kScreenH;
            picture = {0, 0, kScreenW, kScreenH};
            refresh = 0;
            pacer.SetRate(CFramePacer::RateOf(g_settings.Text("maxfps"), refresh));
            return true;
        }
    return false;
}

void CDisplay::ToggleFullscreen()
{
    const bool want = !fullscreen;
    // Should neither mode open any more, the game goes on without a screen
    // rather than ending in the middle of a run.
    g_settings.Set("fullscreen", want ? "1" : "0");
    if (!OpenMode(want))
        OpenMode(!want);
    g_settings.Save(kSettingsFile);
}

void CDisplay::SetWindowIcon()
{
    if (!XDesktop::Available())
        return;
    const int depth = get_color_depth();
    set_color_depth(32); // keeps the picture's alpha
    BITMAP* icon = load_bitmap(YkPath(kIconFile).c_str(), nullptr);
    set_color_depth(depth);
    if (!icon)
        return;
    std::vector<uint32_t> argb;
    if (bitmap_color_depth(icon) == 32)
        for (int y = 0; y < icon->h; ++y)
            for (int x = 0; x < icon->w; ++x) {
                const int c = getpixel(icon, x, y);
                argb.push_back(static_cast<uint32_t>(geta32(c)) << 24 | static_cast<uint32_t>(getr32(c)) << 16 |
                               static_cast<uint32_t>(getg32(c)) << 8 | static_cast<uint32_t>(getb32(c)));
            }
    XDesktop::SetIcon(icon->w, icon->h, argb);
    destroy_bitmap(icon);
}

bool CDisplay::ReadSettings()
{
    cursorVisible = false;
    g_settings.Load(kSettingsFile);
    return g_settings.Switch("fullscreen");
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
    if (g_controls.TakeFullscreenToggle())
        ToggleFullscreen();
    const ScreenFit::SPoint pointer = Pointer();
    cursorAngle = (cursorAngle - 4) & 255;
    if (cursorVisible && cursorSprite && backBuffer)
        rotate_sprite(backBuffer, cursorSprite, pointer.x - cursorHalf, pointer.y - cursorHalf, itofix(cursorAngle));
    const auto now = CFramePacer::Clock::now();
    if (!pacer.Due(now))
        return; // drawn again before the screen could show it: only the newest reaches it
    pacer.Shown(now);
    if (!backBuffer)
        return;
    if (presentTarget) {
        Draw16::Blit(backBuffer, presentTarget, 0, 0, 0, 0, kScreenW, kScreenH);
    } else if (scaledScreen && screen) {
        const auto* src = reinterpret_cast<const uint16_t*>(backBuffer->line[0]);
        const int srcPitch = static_cast<int>(backBuffer->line[1] - backBuffer->line[0]);
        const int dstPitch = static_cast<int>(screen->line[1] - screen->line[0]);
        if (bitmap_color_depth(screen) == 16)
            scaler.Scale(src, srcPitch, reinterpret_cast<uint16_t*>(screen->line[picture.y]) + picture.x, dstPitch);
        else
            scaler.Scale(src, srcPitch, reinterpret_cast<uint32_t*>(screen->line[picture.y]) + picture.x, dstPitch);
        XDesktop::Show(picture);
    } else if (screen) {
        Draw16::Blit(backBuffer, screen, 0, 0, 0, 0, kScreenW, kScreenH);
    }
}

bool CDisplay::FrameDue() const { return pacer.Due(CFramePacer::Clock::now()); }

void CDisplay::WaitForFrame(const std::function<bool()>& wakeUp) const { pacer.WaitUntilDue(wakeUp); }

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
    if (!mouse_driver) {
        // Headless runs (tests, tools) have no driver to move: the position
        // is the library's variables themselves, as the tests write them.
        mouse_x = o.x;
        mouse_y = o.y;
        return;
    }
    position_mouse(o.x, o.y);
}

void CDisplay::SetWindowTitle(const char* title)
{
    if (system_driver && system_driver->set_window_title)
        system_driver->set_window_title(title);
}
