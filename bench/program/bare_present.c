/* The floor for presenting. With no size: a 1024x768 16-bit window that
 * only blits a full-screen memory bitmap to the screen, as fast as it can,
 * for the number of seconds given. With WIDTH HEIGHT PW PH: a window of
 * WIDTH x HEIGHT in the desktop's own pixels that blits a ready-made
 * picture of PW x PH into its middle, unscaled: what presenting a scaled
 * frame of that size costs at the least. Frames are counted by the
 * preloaded probe.   usage: bare_present SECONDS [WIDTH HEIGHT PW PH] */
#include <allegro.h>
#include <stdlib.h>
#include <time.h>

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? atof(argv[1]) : 5;
    const int scaled = argc > 5;
    const int w = scaled ? atoi(argv[2]) : 1024, h = scaled ? atoi(argv[3]) : 768;
    const int pw = scaled ? atoi(argv[4]) : w, ph = scaled ? atoi(argv[5]) : h;
    if (allegro_init() != 0)
        return 1;
    set_color_depth(scaled ? (desktop_color_depth() == 16 ? 16 : 32) : 16);
    if (set_gfx_mode(scaled ? GFX_XWINDOWS : GFX_AUTODETECT_WINDOWED, w, h, 0, 0) != 0)
        return 1;
    set_window_title("bare present loop");
    BITMAP* frame = create_bitmap(pw, ph);
    clear_to_color(frame, makecol(40, 80, 120));
    struct timespec t0, t;
    clock_gettime(CLOCK_MONOTONIC, &t0);
    do {
        blit(frame, screen, 0, 0, (w - pw) / 2, (h - ph) / 2, pw, ph);
        clock_gettime(CLOCK_MONOTONIC, &t);
    } while ((t.tv_sec - t0.tv_sec) + (t.tv_nsec - t0.tv_nsec) / 1e9 < seconds);
    destroy_bitmap(frame);
    return 0;
}
END_OF_MAIN()
