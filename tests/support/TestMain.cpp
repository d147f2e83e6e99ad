#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

// Unit tests run Allegro without a system driver: memory bitmaps, colours
// and configuration files work; timers, screen and sound do not.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return 1;
    set_color_depth(16);
    return RUN_ALL_TESTS();
}
