#pragma once

// What the game reads from a pad: five buttons and the four directions
// (the d-pad, or the left stick past its threshold).
enum EPadInput {
    kPadA,
    kPadB,
    kPadY,
    kPadStart,
    kPadBack,
    kPadUp,
    kPadDown,
    kPadLeft,
    kPadRight,
    kPadInputs
};

// The sticks as the pad reports them, -32768..32767 (y grows downward).
enum EPadAxis { kPadLeftX, kPadLeftY, kPadRightX, kPadRightY, kPadAxes };

// At most two pads are used: the first steers player 1, the second player 2.
constexpr int kPadSeats = 2;

// One pad at one poll, as read: the d-pad is in the direction entries.
struct SPadFrame {
    bool connected = false;
    bool button[kPadInputs] = {};
    int axis[kPadAxes] = {};
};
