#include "app/XDesktop.h"

#include <allegro.h>
// The library's X window and its lock; xalleg.h must follow allegro.h.
#include <xalleg.h>

#include <X11/Xatom.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>

// The library's own routine that copies a changed part of the screen
// bitmap to the window (converting it first when the formats differ). It
// is exported, though no installed header names it.
extern "C" void _xwin_update_screen(int x, int y, int w, int h);

namespace XDesktop {

namespace {

using ScreenFit::SPoint;
using ScreenFit::SRect;

// Holds the library's X lock for a scope: its input thread talks to the
// same connection.
struct SLock {
    SLock() { XLOCK(); }
    ~SLock() { XUNLOCK(); }
    SLock(const SLock&) = delete;
    SLock& operator=(const SLock&) = delete;
};

Window Root() { return XDefaultRootWindow(_xwin.display); }

Atom AtomOf(const char* name) { return XInternAtom(_xwin.display, name, False); }

// The refresh rate of the mode shown on one of a monitor's outputs.
double RefreshOf(XRRScreenResources* res, RROutput output)
{
    double rate = 0;
    XRROutputInfo* out = XRRGetOutputInfo(_xwin.display, res, output);
    if (out && out->crtc) {
        if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(_xwin.display, res, out->crtc)) {
            for (int i = 0; i < res->nmode; ++i) {
                const XRRModeInfo& m = res->modes[i];
                if (m.id == crtc->mode && m.hTotal && m.vTotal)
                    rate = static_cast<double>(m.dotClock) / (static_cast<double>(m.hTotal) * m.vTotal);
            }
            XRRFreeCrtcInfo(crtc);
        }
    }
    if (out)
        XRRFreeOutputInfo(out);
    return rate;
}

bool HasMonitors()
{
    int event = 0, error = 0, major = 0, minor = 0;
    return XRRQueryExtension(_xwin.display, &event, &error) && XRRQueryVersion(_xwin.display, &major, &minor) &&
           (major > 1 || (major == 1 && minor >= 5));
}

void SendState(bool fullscreen)
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = _xwin.wm_window;
    e.xclient.message_type = AtomOf("_NET_WM_STATE");
    e.xclient.format = 32;
    e.xclient.data.l[0] = fullscreen ? 1 : 0; // _NET_WM_STATE_ADD, _NET_WM_STATE_REMOVE
    e.xclient.data.l[1] = static_cast<long>(AtomOf("_NET_WM_STATE_FULLSCREEN"));
    e.xclient.data.l[3] = 1; // from an ordinary application
    XSendEvent(_xwin.display, Root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

} // namespace

bool Available() { return system_driver && system_driver->id == SYSTEM_XWINDOWS && _xwin.display; }

std::vector<SMonitor> Monitors()
{
    std::vector<SMonitor> monitors;
    if (!Available())
        return monitors;
    SLock lock;
    if (HasMonitors()) {
        int n = 0;
        XRRMonitorInfo* info = XRRGetMonitors(_xwin.display, Root(), True, &n);
        XRRScreenResources* res = XRRGetScreenResourcesCurrent(_xwin.display, Root());
        for (int i = 0; info && i < n; ++i) {
            SMonitor m;
            m.area = {info[i].x, info[i].y, info[i].width, info[i].height};
            m.primary = info[i].primary;
            for (int o = 0; res && o < info[i].noutput && m.refresh <= 0; ++o)
                m.refresh = RefreshOf(res, info[i].outputs[o]);
            if (m.area.w > 0 && m.area.h > 0)
                monitors.push_back(m);
        }
        if (res)
            XRRFreeScreenResources(res);
        if (info)
            XRRFreeMonitors(info);
    }
    if (monitors.empty()) {
        SMonitor whole;
        whole.area = {0, 0, DisplayWidth(_xwin.display, _xwin.screen), DisplayHeight(_xwin.display, _xwin.screen)};
        whole.primary = true;
        monitors.push_back(whole);
    }
    return monitors;
}

std::optional<SPoint> PointerOnRoot()
{
    if (!Available())
        return std::nullopt;
    SLock lock;
    Window rootReturn = 0, child = 0;
    int rx = 0, ry = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    if (!XQueryPointer(_xwin.display, Root(), &rootReturn, &child, &rx, &ry, &wx, &wy, &mask))
        return std::nullopt;
    return SPoint{rx, ry};
}

SRect WorkArea(const SRect& monitor)
{
    if (!Available())
        return monitor;
    SLock lock;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    SRect area = monitor;
    if (XGetWindowProperty(_xwin.display, Root(), AtomOf("_NET_WORKAREA"), 0, 4, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        data && format == 32 && count >= 4) {
        const long* v = reinterpret_cast<const long*>(data);
        const int left = std::max(monitor.x, static_cast<int>(v[0]));
        const int top = std::max(monitor.y, static_cast<int>(v[1]));
        const int right = std::min(monitor.x + monitor.w, static_cast<int>(v[0] + v[2]));
        const int bottom = std::min(monitor.y + monitor.h, static_cast<int>(v[1] + v[3]));
        if (right > left && bottom > top)
            area = {left, top, right - left, bottom - top};
    }
    if (data)
        XFree(data);
    return area;
}

void SetClass(const char* name, const char* className) { xwin_set_window_name(name, className); }

void SetIcon(int width, int height, const std::vector<uint32_t>& argb)
{
    if (!Available() || width <= 0 || height <= 0 || argb.size() != static_cast<size_t>(width) * height)
        return;
    // The property's items are C longs, whatever their width.
    std::vector<long> data;
    data.reserve(argb.size() + 2);
    data.push_back(width);
    data.push_back(height);
    for (uint32_t p : argb)
        data.push_back(static_cast<long>(p));
    SLock lock;
    XChangeProperty(_xwin.display, _xwin.wm_window, AtomOf("_NET_WM_ICON"), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
}

void PrepareWindow(bool fullscreen, SPoint at)
{
    if (!Available())
        return;
    SLock lock;
    const Atom state = AtomOf("_NET_WM_STATE");
    if (fullscreen) {
        const Atom full = AtomOf("_NET_WM_STATE_FULLSCREEN");
        XChangeProperty(_xwin.display, _xwin.wm_window, state, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&full), 1);
    } else {
        XDeleteProperty(_xwin.display, _xwin.wm_window, state);
    }
    XMoveWindow(_xwin.display, _xwin.wm_window, at.x, at.y);
}

void SettleWindow(bool fullscreen, SPoint at)
{
    if (!Available())
        return;
    SLock lock;
    if (fullscreen) {
        XMoveWindow(_xwin.display, _xwin.wm_window, at.x, at.y);
        SendState(true);
    }
    XFlush(_xwin.display);
}

void TrackPointer()
{
    if (!Available())
        return;
    Window rootReturn = 0, child = 0;
    int rx = 0, ry = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    bool inside = false;
    {
        SLock lock;
        inside = XQueryPointer(_xwin.display, _xwin.window, &rootReturn, &child, &rx, &ry, &wx, &wy, &mask) &&
                 wx >= 0 && wy >= 0 && wx < _xwin.window_width && wy < _xwin.window_height;
    }
    if (inside && mouse_driver)
        position_mouse(wx, wy);
}

void Show(const SRect& changed)
{
    if (!Available() || changed.w <= 0 || changed.h <= 0)
        return;
    _xwin_update_screen(changed.x, changed.y, changed.w, changed.h);
    SLock lock;
    XFlush(_xwin.display);
}

} // namespace XDesktop
