#pragma once
#include <string>

// What the X server says about its keyboard, the only file of the input
// code that talks to Xlib. Without an X display every answer is "nothing".
namespace XKeyboard {

// Whether the server numbers its keys as the standard evdev keyboard does
// (Escape 9, Enter 36, Space 65, the arrows 111/113/114/116), so that keys
// can be placed by their keycode.
bool UsesEvdevKeycodes();

// The label the current layout gives the key at a keycode, as a player
// reads it on the key ("Z" at W's place on AZERTY); "" when it has none
// that the game's fonts can show.
std::string LabelAt(int keycode);

} // namespace XKeyboard
