/* The floor for presenting: a 1024x768 16-bit window that only blits a
 * full-screen memory bitmap to the screen, as fast as it can, for the
 * number of seconds given. Frames are counted by the preloaded probe. */
#include <allegro.h>
#include <stdlib.h>
#include <time.h>

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? atof(argv[1]) : 5;
    if (allegro_init() != 0)
        return 1;
    set_color_depth(16);
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 1024, 768, 0, 0) != 0)
        return 1;
    set_window_title("bare present loop");
    BITMAP* frame = create_bitmap(1024, 768);
    clear_to_color(frame, makecol(40, 80, 120));
    struct timespec t0, t;
    clock_gettime(CLOCK_MONOTONIC, &t0);
    do {
        blit(frame, screen, 0, 0, 0, 0, 1024, 768);
        clock_gettime(CLOCK_MONOTONIC, &t);
    } while ((t.tv_sec - t0.tv_sec) + (t.tv_nsec - t0.tv_nsec) / 1e9 < seconds);
    destroy_bitmap(frame);
    return 0;
}
END_OF_MAIN()
