#include "input/KeyPositions.h"

#include <allegro.h>

#include <cstdlib>
#include <cstring>

namespace {

struct SPlace {
    int keycode;
    int key;
};

// The evdev keycodes plus 8, as X numbers them, of a US pc105 keyboard.
// clang-format off
const SPlace kPlaces[] = {
    {9, KEY_ESC},
    {10, KEY_1}, {11, KEY_2}, {12, KEY_3}, {13, KEY_4}, {14, KEY_5},
    {15, KEY_6}, {16, KEY_7}, {17, KEY_8}, {18, KEY_9}, {19, KEY_0},
    {20, KEY_MINUS}, {21, KEY_EQUALS}, {22, KEY_BACKSPACE}, {23, KEY_TAB},
    {24, KEY_Q}, {25, KEY_W}, {26, KEY_E}, {27, KEY_R}, {28, KEY_T},
    {29, KEY_Y}, {30, KEY_U}, {31, KEY_I}, {32, KEY_O}, {33, KEY_P},
    {34, KEY_OPENBRACE}, {35, KEY_CLOSEBRACE}, {36, KEY_ENTER}, {37, KEY_LCONTROL},
    {38, KEY_A}, {39, KEY_S}, {40, KEY_D}, {41, KEY_F}, {42, KEY_G},
    {43, KEY_H}, {44, KEY_J}, {45, KEY_K}, {46, KEY_L},
    {47, KEY_COLON}, {48, KEY_QUOTE}, {49, KEY_TILDE}, {50, KEY_LSHIFT}, {51, KEY_BACKSLASH},
    {52, KEY_Z}, {53, KEY_X}, {54, KEY_C}, {55, KEY_V}, {56, KEY_B}, {57, KEY_N}, {58, KEY_M},
    {59, KEY_COMMA}, {60, KEY_STOP}, {61, KEY_SLASH}, {62, KEY_RSHIFT},
    {63, KEY_ASTERISK}, {64, KEY_ALT}, {65, KEY_SPACE},
    {67, KEY_F1}, {68, KEY_F2}, {69, KEY_F3}, {70, KEY_F4}, {71, KEY_F5},
    {72, KEY_F6}, {73, KEY_F7}, {74, KEY_F8}, {75, KEY_F9}, {76, KEY_F10},
    {79, KEY_7_PAD}, {80, KEY_8_PAD}, {81, KEY_9_PAD}, {82, KEY_MINUS_PAD},
    {83, KEY_4_PAD}, {84, KEY_5_PAD}, {85, KEY_6_PAD}, {86, KEY_PLUS_PAD},
    {87, KEY_1_PAD}, {88, KEY_2_PAD}, {89, KEY_3_PAD}, {90, KEY_0_PAD}, {91, KEY_DEL_PAD},
    {94, KEY_BACKSLASH2}, {95, KEY_F11}, {96, KEY_F12},
    {104, KEY_ENTER_PAD}, {105, KEY_RCONTROL}, {106, KEY_SLASH_PAD}, {108, KEY_ALTGR},
    {110, KEY_HOME}, {111, KEY_UP}, {112, KEY_PGUP}, {113, KEY_LEFT}, {114, KEY_RIGHT},
    {115, KEY_END}, {116, KEY_DOWN}, {117, KEY_PGDN}, {118, KEY_INSERT}, {119, KEY_DEL},
};
// clang-format on

bool following = false;

int HookInt(const char* name, int def) { return KeyPositions::Override(name, def); }
const char* HookString(const char*, const char* def) { return def; }
void HookSet(const char*, const char*) {} // the table is not the player's to write

} // namespace

namespace KeyPositions {

int KeyAt(int keycode)
{
    for (const SPlace& p : kPlaces)
        if (p.keycode == keycode)
            return p.key;
    return 0;
}

int KeycodeOf(int key)
{
    for (const SPlace& p : kPlaces)
        if (p.key == key)
            return p.keycode;
    return 0;
}

int Override(const char* option, int fallback)
{
    if (!option || std::strncmp(option, "keycode", 7) != 0)
        return fallback;
    char* end = nullptr;
    const long keycode = std::strtol(option + 7, &end, 10);
    if (end == option + 7 || *end)
        return fallback;
    const int key = KeyAt(static_cast<int>(keycode));
    return key ? key : fallback;
}

void Follow()
{
    hook_config_section("xkeymap", HookInt, HookString, HookSet);
    following = true;
}

void Unfollow()
{
    hook_config_section("xkeymap", nullptr, nullptr, nullptr);
    following = false;
}

bool Following() { return following; }

} // namespace KeyPositions
