#pragma once
#include <string>
#include "app/ScreenFit.h"
#include "input/PadInput.h"

// Input states: bit 1 = down at the latest poll, bit 0 = down at the poll before.
enum EInputState { kInputUp = 0, kInputReleased = 1, kInputPressed = 2, kInputHeld = 3 };

enum EInputDevice { kDeviceKeyboard = 0, kDeviceMouse = 1, kDeviceJoystick1 = 3, kDeviceJoystick4 = 6 };

// The question asked of CControls::IsActive.
struct CControlBinding {
    int device; // 0 keyboard, 1 mouse, 3..6 joystick 1..4
    int code;   // keyboard slot, mouse slot or joystick button
    int state;  // the EInputState that counts as active
};

// Samples keyboard, mouse and joystick buttons once per poll and answers
// whether an input is in a given state right now.
class CControls {
public:
    static constexpr int kKeySlots = 112;
    static constexpr int kMouseSlots = 5;
    static constexpr int kJoysticks = 4;
    static constexpr int kJoyButtons = 12;

    void Init();
    void Remove();
    void Poll();
    bool IsActive(const CControlBinding& binding) const;

    // Keyboard slot of an Allegro key code, -1 for codes without a slot.
    static int SlotOfKey(int keyCode);
    // Allegro key code held in a keyboard slot.
    static int KeyOfSlot(int slot);

    // F11 or Alt+Enter pressed since the last call: full screen to window
    // or back, at any moment (the display asks once a frame). Enter with
    // Alt held is not Enter to the game, so that it never also chooses.
    bool TakeFullscreenToggle();

    // Convenience for the states: is this Allegro key in this state?
    bool Key(int keyCode, int state) const;
    // Is the key bound to an action (a key row of the settings: "pause",
    // "player2up") in this state?
    bool Bound(const char* action, int state) const;
    // A key as the player's layout labels it ("Z" where W sits on AZERTY),
    // else by the game's own name for it ("SPACE").
    static std::string KeyLabel(int keyCode);

    // The game's window lost the keyboard focus since the last call (the
    // library tells it from its input thread). Note: as the library would.
    bool TakeFocusLost();
    void NoteFocusLost();
    // Focus lost within the next MS milliseconds counts for nothing (the
    // display's own new window takes the focus from the old one).
    void IgnoreFocusLoss(int ms);
    bool Mouse(int slot, int state) const { return IsActive({kDeviceMouse, slot, state}); }

    // Game pads, polled with the other devices: seat 0 is the first pad
    // plugged in (player 1), seat 1 the second (player 2). A direction is
    // the d-pad or the left stick past its threshold.
    bool Pad(int seat, int input, int state) const;
    bool AnyPad(int input, int state) const { return Pad(0, input, state) || Pad(1, input, state); }
    // Starts the pads (Init does when settings.ini allows them); false
    // when the controller support cannot start.
    bool StartPads();
    // Stops them (the settings screen turns pads off); what they held is let go.
    void StopPads();

    int numJoysticks = 0;
    int useKeyboard = 0;
    int useMouse = 0;
    int joyButtons[kJoysticks][kJoyButtons] = {};
    int keyState[kKeySlots] = {};
    int mouseState[kMouseSlots] = {};
    int usePads = 0;
    int padState[kPadSeats][kPadInputs] = {};

private:
    void PollPads();

    bool stickPushed[kPadSeats][4] = {}; // up, down, left, right of the left stick
    double pointerCarry[2] = {};          // fractions of a pixel, x and y
    long long pointerPolledMs = -1;       // the pads' last poll, for the pointer's pace
    ScreenFit::SPoint pointerSet{-1, -1}, pointerSeen{-1, -1}; // where the stick put it, and how it read back
    bool toggleHeld = false;      // F11 or Alt+Enter down at the latest poll
    bool toggleRequested = false; // a press not yet taken
};

extern CControls g_controls;
