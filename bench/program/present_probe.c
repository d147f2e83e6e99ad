/* Preloaded into the game (or the bare loop) by frame_rate.sh: counts the
 * frames that reach the screen through Allegro's blit and, four times a
 * second, writes "frames seconds longest-gap-ms" to YK_PROBE_OUT. The
 * longest gap starts afresh whenever the file YK_PROBE_RESET exists (the
 * probe removes it), so a script can measure the stall around one action. */
#define _GNU_SOURCE
#include <allegro.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

typedef void (*blit_fn)(BITMAP*, BITMAP*, int, int, int, int, int, int);

static double Seconds(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

void blit(BITMAP* src, BITMAP* dest, int sx, int sy, int dx, int dy, int w, int h)
{
    static blit_fn real;
    static long long frames;
    static double last, lastWrite, longest;
    if (!real)
        real = (blit_fn)dlsym(RTLD_NEXT, "blit");
    real(src, dest, sx, sy, dx, dy, w, h);
    if (dest != screen)
        return;
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
