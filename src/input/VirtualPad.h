#pragma once
#include "input/PadInput.h"

// A pad that exists only inside this process, seen by the controller
// support like one plugged in: the unit tests and the end-to-end test seam
// (PadScript) plug it in, press its buttons, tilt its sticks and pull it out.
class CVirtualPad {
public:
    CVirtualPad() = default;
    CVirtualPad(const CVirtualPad&) = delete;
    CVirtualPad& operator=(const CVirtualPad&) = delete;
    ~CVirtualPad() { Detach(); }

    // Plugs it in (the pad source must be running); false when refused.
    // Pads of one name are one kind of pad.
    bool Attach(const char* name = "Virtual pad");
    void Detach();
    bool Attached() const { return joystick != nullptr; }
    // Seen at the next poll, as from a real pad.
    void Press(EPadInput input, bool down);
    void Tilt(EPadAxis axis, int value);

private:
    void* joystick = nullptr;
    int instance = -1;
};
