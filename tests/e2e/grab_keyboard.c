/* Tries to grab the keyboard the way a desktop's own keys (Alt+Tab, a
 * launcher) do: exits 0 when the grab succeeds, 1 when another client
 * holds it.   usage: yk-grab-keyboard */
#include <X11/Xlib.h>
#include <stdio.h>

int main(void)
{
    Display* d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "yk-grab-keyboard: no display\n");
        return 2;
    }
    const int result = XGrabKeyboard(d, DefaultRootWindow(d), False, GrabModeAsync, GrabModeAsync, CurrentTime);
    if (result == GrabSuccess)
        XUngrabKeyboard(d, CurrentTime);
    XCloseDisplay(d);
    return result == GrabSuccess ? 0 : 1;
}
