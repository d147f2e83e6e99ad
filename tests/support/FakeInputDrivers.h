#pragma once
#include <allegro.h>

// Lets install_keyboard and install_mouse succeed without hardware: the
// library takes an already set driver as installed.
struct CFakeDrivers {
    CFakeDrivers()
    {
        keyboard_driver = &keyboard;
        mouse_driver = &mouse;
    }
    ~CFakeDrivers()
    {
        keyboard_driver = nullptr;
        mouse_driver = nullptr;
    }
    KEYBOARD_DRIVER keyboard{};
    MOUSE_DRIVER mouse{};
};
