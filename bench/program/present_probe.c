/* Preloaded into the game (or the bare loop) by frame_rate.sh: counts the
 * frames that reach the X server (every picture goes out as one put of an
 * image, shared or not) and, four times a second, writes "frames seconds
 * longest-gap-ms" to YK_PROBE_OUT. The longest gap starts afresh whenever
 * the file YK_PROBE_RESET exists (the probe removes it), so a script can
 * measure the stall around one action. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static double Seconds(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

static void Counted(void)
{
    static long long frames;
    static double last, lastWrite, longest;
    const double now = Seconds();
    if (frames > 0 && now - last > longest)
        longest = now - last;
    last = now;
    ++frames;
    if (now - lastWrite < 0.25)
        return;
    lastWrite = now;
    const char* reset = getenv("YK_PROBE_RESET");
    if (reset && unlink(reset) == 0)
        longest = 0;
    const char* out = getenv("YK_PROBE_OUT");
    if (!out)
        return;
    char tmp[4096];
    snprintf(tmp, sizeof tmp, "%s.tmp", out);
    FILE* f = fopen(tmp, "w");
    if (!f)
        return;
    fprintf(f, "%lld %.6f %.1f\n", frames, now, longest * 1000);
    fclose(f);
    rename(tmp, out);
}

Bool XShmPutImage(Display* d, Drawable w, GC gc, XImage* image, int sx, int sy, int dx, int dy, unsigned width,
                  unsigned height, Bool send_event)
{
    static Bool (*real)(Display*, Drawable, GC, XImage*, int, int, int, int, unsigned, unsigned, Bool);
    if (!real)
        real = dlsym(RTLD_NEXT, "XShmPutImage");
    Counted();
    return real(d, w, gc, image, sx, sy, dx, dy, width, height, send_event);
}

int XPutImage(Display* d, Drawable w, GC gc, XImage* image, int sx, int sy, int dx, int dy, unsigned width,
              unsigned height)
{
    static int (*real)(Display*, Drawable, GC, XImage*, int, int, int, int, unsigned, unsigned);
    if (!real)
        real = dlsym(RTLD_NEXT, "XPutImage");
    Counted();
    return real(d, w, gc, image, sx, sy, dx, dy, width, height);
}
