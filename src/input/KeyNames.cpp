#include "input/KeyNames.h"

#include <allegro.h>

#include <cctype>
#include <iterator>

namespace {

struct SName {
    int key;
    const char* name;
};

// clang-format off
const SName kNames[] = {
    {KEY_A, "A"}, {KEY_B, "B"}, {KEY_C, "C"}, {KEY_D, "D"}, {KEY_E, "E"}, {KEY_F, "F"}, {KEY_G, "G"},
    {KEY_H, "H"}, {KEY_I, "I"}, {KEY_J, "J"}, {KEY_K, "K"}, {KEY_L, "L"}, {KEY_M, "M"}, {KEY_N, "N"},
    {KEY_O, "O"}, {KEY_P, "P"}, {KEY_Q, "Q"}, {KEY_R, "R"}, {KEY_S, "S"}, {KEY_T, "T"}, {KEY_U, "U"},
    {KEY_V, "V"}, {KEY_W, "W"}, {KEY_X, "X"}, {KEY_Y, "Y"}, {KEY_Z, "Z"},
    {KEY_0, "0"}, {KEY_1, "1"}, {KEY_2, "2"}, {KEY_3, "3"}, {KEY_4, "4"},
    {KEY_5, "5"}, {KEY_6, "6"}, {KEY_7, "7"}, {KEY_8, "8"}, {KEY_9, "9"},
    {KEY_0_PAD, "PAD0"}, {KEY_1_PAD, "PAD1"}, {KEY_2_PAD, "PAD2"}, {KEY_3_PAD, "PAD3"}, {KEY_4_PAD, "PAD4"},
    {KEY_5_PAD, "PAD5"}, {KEY_6_PAD, "PAD6"}, {KEY_7_PAD, "PAD7"}, {KEY_8_PAD, "PAD8"}, {KEY_9_PAD, "PAD9"},
    {KEY_F1, "F1"}, {KEY_F2, "F2"}, {KEY_F3, "F3"}, {KEY_F4, "F4"}, {KEY_F5, "F5"}, {KEY_F6, "F6"},
    {KEY_F7, "F7"}, {KEY_F8, "F8"}, {KEY_F9, "F9"}, {KEY_F10, "F10"}, {KEY_F11, "F11"}, {KEY_F12, "F12"},
    {KEY_ESC, "ESC"}, {KEY_TILDE, "GRAVE"}, {KEY_MINUS, "MINUS"}, {KEY_EQUALS, "EQUALS"},
    {KEY_BACKSPACE, "BACKSPACE"}, {KEY_TAB, "TAB"}, {KEY_OPENBRACE, "OPENBRACKET"},
    {KEY_CLOSEBRACE, "CLOSEBRACKET"}, {KEY_ENTER, "ENTER"}, {KEY_COLON, "SEMICOLON"}, {KEY_QUOTE, "QUOTE"},
    {KEY_BACKSLASH, "BACKSLASH"}, {KEY_BACKSLASH2, "LESS"}, {KEY_COMMA, "COMMA"}, {KEY_STOP, "PERIOD"},
    {KEY_SLASH, "SLASH"}, {KEY_SPACE, "SPACE"}, {KEY_INSERT, "INSERT"}, {KEY_DEL, "DELETE"},
    {KEY_HOME, "HOME"}, {KEY_END, "END"}, {KEY_PGUP, "PAGEUP"}, {KEY_PGDN, "PAGEDOWN"},
    {KEY_LEFT, "LEFT"}, {KEY_RIGHT, "RIGHT"}, {KEY_UP, "UP"}, {KEY_DOWN, "DOWN"},
    {KEY_SLASH_PAD, "PADSLASH"}, {KEY_ASTERISK, "PADSTAR"}, {KEY_MINUS_PAD, "PADMINUS"},
    {KEY_PLUS_PAD, "PADPLUS"}, {KEY_DEL_PAD, "PADPERIOD"}, {KEY_ENTER_PAD, "PADENTER"},
    {KEY_LSHIFT, "LSHIFT"}, {KEY_RSHIFT, "RSHIFT"}, {KEY_LCONTROL, "LCTRL"}, {KEY_RCONTROL, "RCTRL"},
    {KEY_ALT, "ALT"}, {KEY_ALTGR, "ALTGR"}, {KEY_LWIN, "LSUPER"}, {KEY_RWIN, "RSUPER"}, {KEY_MENU, "MENU"},
};
// clang-format on

} // namespace

namespace KeyNames {

const char* Name(int key)
{
    for (const SName& n : kNames)
        if (n.key == key)
            return n.name;
    return nullptr;
}

int Key(const std::string& name)
{
    for (const SName& n : kNames) {
        const char* p = n.name;
        size_t i = 0;
        while (p[i] && i < name.size() && p[i] == std::toupper(static_cast<unsigned char>(name[i])))
            ++i;
        if (!p[i] && i == name.size())
            return n.key;
    }
    return -1;
}

} // namespace KeyNames
