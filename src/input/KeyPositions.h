#pragma once

// Keys by where they sit, not by what they type: the X keycodes of the
// standard (evdev) keyboard, each with the game key of the US key in that
// place. With it W/A/S/D are the same four keys on AZERTY and QWERTZ.
namespace KeyPositions {

// The game key at an X keycode; 0 for a keycode the table leaves to the
// library (it then goes by the key's label).
int KeyAt(int keycode);
// The X keycode of a game key's place; 0 when the table has none.
int KeycodeOf(int key);

// Makes the library build its keycode table from these places, now and
// whenever the server says the layout changed: through the library's own
// per-keycode override ([xkeymap] keycodeN), answered from the table and
// never from a file. Call it before the keyboard is installed, only where
// the server numbers its keys as evdev does.
void Follow();
// Whether Follow is in effect (the tests take it back).
void Unfollow();
bool Following();

// The override's answer for an option name such as "keycode25".
int Override(const char* option, int fallback);

} // namespace KeyPositions
