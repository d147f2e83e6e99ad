#include "input/XKeyboard.h"

#include <allegro.h>
// The library's X connection and its lock; xalleg.h must follow allegro.h.
#include <xalleg.h>

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <cctype>

namespace XKeyboard {

namespace {

struct SLock {
    SLock() { XLOCK(); }
    ~SLock() { XUNLOCK(); }
    SLock(const SLock&) = delete;
    SLock& operator=(const SLock&) = delete;
};

bool Available() { return system_driver && system_driver->id == SYSTEM_XWINDOWS && _xwin.display; }

} // namespace

bool UsesEvdevKeycodes()
{
    if (!Available())
        return false;
    SLock lock;
    struct {
        KeySym sym;
        int keycode;
    } const probes[] = {{XK_Escape, 9}, {XK_Return, 36}, {XK_space, 65}, {XK_Up, 111},
                        {XK_Left, 113}, {XK_Right, 114}, {XK_Down, 116}};
    int agree = 0;
    for (const auto& p : probes)
        agree += XKeysymToKeycode(_xwin.display, p.sym) == p.keycode;
    // A layout may move one of these; two thirds are enough to know the numbering.
    return agree * 3 >= static_cast<int>(std::size(probes)) * 2;
}

std::string LabelAt(int keycode)
{
    if (!Available() || keycode < 8 || keycode > 255)
        return "";
    SLock lock;
    XkbStateRec state{};
    XkbGetState(_xwin.display, XkbUseCoreKbd, &state);
    const KeySym sym = XkbKeycodeToKeysym(_xwin.display, static_cast<KeyCode>(keycode), state.group, 0);
    // Printable ASCII reads as its capital; anything else the game names itself.
    if (sym >= 0x21 && sym <= 0x7e)
        return std::string(1, static_cast<char>(std::toupper(static_cast<int>(sym))));
    return "";
}

} // namespace XKeyboard
