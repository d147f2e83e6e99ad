/* Preloaded into the game by a test: refuses every graphics mode but the
 * library's plain 1024 x 768 window, as a desktop that can open nothing
 * larger would, so that the game's last fallback is what opens. */
#define _GNU_SOURCE
#include <allegro.h>
#include <dlfcn.h>

int set_gfx_mode(int card, int w, int h, int v_w, int v_h)
{
    static int (*real)(int, int, int, int, int);
    if (!real)
        real = (int (*)(int, int, int, int, int))dlsym(RTLD_NEXT, "set_gfx_mode");
    if (card != GFX_XWINDOWS || w != 1024 || h != 768)
        return -1;
    return real(card, w, h, v_w, v_h);
}
