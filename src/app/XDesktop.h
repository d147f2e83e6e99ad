#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "app/ScreenFit.h"

// What the game asks of the X desktop around the library's window: the
// monitors and their refresh rates, the room a window manager leaves, the
// window's name, class, icon and fullscreen state, and handing a finished
// picture to the server. Every Xlib and RandR call of the game lives
// behind this; without an X display each call does nothing and answers
// nothing.
namespace XDesktop {

struct SMonitor {
    ScreenFit::SRect area; // in root-window coordinates
    double refresh = 0;    // frames a second; 0 when unknown
    bool primary = false;
};

// Whether the library's X window exists (the X system driver runs).
bool Available();

// The monitors (RandR); the whole X screen as one when RandR has none.
std::vector<SMonitor> Monitors();
// The pointer on the root window.
std::optional<ScreenFit::SPoint> PointerOnRoot();
// The part of the monitor a window manager leaves to windows
// (_NET_WORKAREA); the monitor itself without one.
ScreenFit::SRect WorkArea(const ScreenFit::SRect& monitor);

// The window's class (WM_CLASS); before the library opens its window.
void SetClass(const char* name, const char* className);
// The window's icon (_NET_WM_ICON): width x height pixels, 0xAARRGGBB.
void SetIcon(int width, int height, const std::vector<uint32_t>& argb);
// Before the library maps its window for a mode: ask the window manager
// for fullscreen (_NET_WM_STATE) or not, and put the window where it is
// to show (a monitor's corner), so that without a window manager the
// window covers that monitor.
void PrepareWindow(bool fullscreen, ScreenFit::SPoint at);
// Once the window is mapped: the same request as a message, for window
// managers that read the state only from one, and the window's place.
void SettleWindow(bool fullscreen, ScreenFit::SPoint at);

// The library's mouse position from where the pointer really is over the
// window (a new mode leaves it in the middle).
void TrackPointer();

// Hands the window's image, changed within the rectangle, to the server.
void Show(const ScreenFit::SRect& changed);

} // namespace XDesktop
