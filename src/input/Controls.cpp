#include "input/Controls.h"

#include <allegro.h>

#include <atomic>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/ConfigFile.h"
#include "app/Display.h"
#include "app/Paths.h"
#include "app/Settings.h"
#include "input/KeyNames.h"
#include "input/KeyPositions.h"
#include "input/XKeyboard.h"
#include "input/PadRules.h"
#include "input/PadScript.h"
#include "input/PadSource.h"

CControls g_controls;

namespace {
int Advance(int old, bool down) { return (old >> 1) | (down ? 2 : 0); }
// Set from the library's input thread, taken by the game's.
std::atomic<bool> focusLost{false};
std::chrono::steady_clock::time_point ignoreFocusUntil;
void OnSwitchOut() { focusLost = true; }
} // namespace

int CControls::KeyOfSlot(int slot)
{
    // Slots are packed over Allegro 4.2's key codes, skipping 94..98, 102 and 107..114.
    if (slot < 0 || slot >= kKeySlots)
        return -1;
    if (slot <= 92)
        return slot + 1;
    if (slot <= 95)
        return slot + 6;
    if (slot <= 99)
        return slot + 7;
    return slot + 15;
}

int CControls::SlotOfKey(int keyCode)
{
    if (keyCode >= 1 && keyCode <= 93)
        return keyCode - 1;
    if (keyCode >= 99 && keyCode <= 101)
        return keyCode - 6;
    if (keyCode >= 103 && keyCode <= 106)
        return keyCode - 7;
    if (keyCode >= 115 && keyCode <= 126)
        return keyCode - 15;
    return -1;
}

namespace {

constexpr const char* kControlFile = "data\\control-1.ykd";
constexpr const char* kSection = "controlTypes";
const char* const kDeviceKeys[] = {"useKeyboard", "useMouse", "useJoysticks"};

// A value counts only when it is a whole number.
bool ReadsAsNumber(const char* key)
{
    const char* v = get_config_string(kSection, key, nullptr);
    if (!v)
        return false;
    char* end = nullptr;
    std::strtol(v, &end, 0);
    return end != v && *end == '\0';
}

} // namespace

void CControls::Init()
{
    *this = CControls();
    TakeFocusLost();
    // The file is only read: the game never rewrites its own data files.
    const std::string file = YkPath(kControlFile);
    std::error_code ec;
    const bool regular = std::filesystem::is_regular_file(file, ec);
    std::FILE* probe = regular ? std::fopen(file.c_str(), "rb") : nullptr;
    const bool readable = probe != nullptr;
    if (probe)
        std::fclose(probe);
    bool usable = false;
    int wantKeyboard = 0, wantMouse = 0, wantJoysticks = 0;
    if (readable) { // something that is not a readable file never reaches Allegro
        OpenConfigFile(file);
        for (const char* k : kDeviceKeys)
            usable = usable || ReadsAsNumber(k);
        wantKeyboard = get_config_int(kSection, "useKeyboard", 0);
        wantMouse = get_config_int(kSection, "useMouse", 0);
        wantJoysticks = get_config_int(kSection, "useJoysticks", 0);
        set_config_file("release");
    }
    if (!usable) {
        // Without it nothing would answer, not even Escape.
        std::fprintf(stderr, "%s: missing or unreadable (no useKeyboard, useMouse or useJoysticks); "
                             "keyboard and mouse are on\n", file.c_str());
        wantKeyboard = wantMouse = 1;
        wantJoysticks = 0;
    }

    if (wantMouse) {
        install_mouse();
        useMouse = wantMouse;
    }
    if (wantKeyboard) {
        // Keys by their place on the keyboard wherever the server's numbering allows it.
        if (XKeyboard::UsesEvdevKeycodes())
            KeyPositions::Follow();
        install_keyboard();
        useKeyboard = wantKeyboard;
    }
    if (wantJoysticks) {
        install_joystick(JOY_TYPE_AUTODETECT);
        for (int j = 0; j < num_joysticks; ++j)
            calibrate_joystick(j);
        numJoysticks = num_joysticks;
    }
    // The library tells of the lost focus through its display-switch callbacks.
    set_display_switch_callback(SWITCH_OUT, OnSwitchOut);
    // Pads through the controller support, beside the library's own
    // joystick driver (useJoysticks keeps its meaning).
    if (g_settings.Switch("pads"))
        StartPads();
}

bool CControls::StartPads()
{
    if (!usePads && g_padSource.Start()) {
        usePads = 1;
        g_padScript.OpenFromEnvironment();
    }
    return usePads != 0;
}

void CControls::Remove()
{
    remove_display_switch_callback(OnSwitchOut);
    if (useMouse)
        remove_mouse();
    if (useKeyboard)
        remove_keyboard();
    if (numJoysticks)
        remove_joystick();
    StopPads();
}

void CControls::StopPads()
{
    if (!usePads)
        return;
    g_padScript.Close();
    g_padSource.Stop();
    usePads = 0;
    for (auto& seat : padState)
        for (int& input : seat)
            input = kInputUp;
}

void CControls::Poll()
{
    if (useMouse) {
        const int b = mouse_b;
        mouseState[0] = Advance(mouseState[0], b & 1);
        mouseState[1] = Advance(mouseState[1], (b & 3) == 3);
        mouseState[2] = Advance(mouseState[2], b & 2);
    }
    if (useKeyboard) {
        const bool alt = key[KEY_ALT] != 0;
        for (int slot = 0; slot < kKeySlots; ++slot) {
            const int code = KeyOfSlot(slot);
            keyState[slot] = Advance(keyState[slot], key[code] != 0 && !(alt && code == KEY_ENTER));
        }
        const bool toggle = key[KEY_F11] || (alt && key[KEY_ENTER]);
        toggleRequested = toggleRequested || (toggle && !toggleHeld);
        toggleHeld = toggle;
    }
    if (numJoysticks > 0) {
        poll_joystick();
        for (int j = 0; j < numJoysticks && j < kJoysticks; ++j)
            for (int b = 0; b < kJoyButtons; ++b)
                joyButtons[j][b] = Advance(joyButtons[j][b], b < joy[j].num_buttons && joy[j].button[b].b);
    }
    if (usePads)
        PollPads();
}

void CControls::PollPads()
{
    g_padScript.Run();
    SPadFrame frames[kPadSeats];
    g_padSource.Read(frames);
    int pointerAxis[2] = {0, 0};
    for (int s = 0; s < kPadSeats; ++s) {
        const SPadFrame& f = frames[s];
        // A pad pulled out reads as all up: what it held is released.
        const int lx = f.axis[kPadLeftX], ly = f.axis[kPadLeftY];
        const int pushes[4] = {-ly, ly, -lx, lx};
        for (int d = 0; d < 4; ++d)
            stickPushed[s][d] = PadRules::StickPushed(stickPushed[s][d], pushes[d]);
        for (int i = 0; i < kPadInputs; ++i) {
            bool down = f.button[i];
            if (i >= kPadUp)
                down = down || stickPushed[s][i - kPadUp];
            padState[s][i] = Advance(padState[s][i], down);
        }
        // Whichever pad pushes its right stick harder moves the pointer.
        for (int a = 0; a < 2; ++a)
            if (std::abs(f.axis[kPadRightX + a]) > std::abs(pointerAxis[a]))
                pointerAxis[a] = f.axis[kPadRightX + a];
    }
    const long long nowMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now().time_since_epoch())
                                .count();
    const int elapsed = pointerPolledMs < 0 ? 0 : static_cast<int>(std::min(nowMs - pointerPolledMs, 1000LL));
    pointerPolledMs = nowMs;
    const int dx = PadRules::PointerStep(pointerAxis[0], elapsed, pointerCarry[0]);
    const int dy = PadRules::PointerStep(pointerAxis[1], elapsed, pointerCarry[1]);
    if (dx != 0 || dy != 0) {
        // On a screen smaller than the frame several frame pixels share one
        // output pixel: go on from where the stick put the pointer, unless
        // the mouse has moved it since.
        ScreenFit::SPoint p = g_display.Pointer();
        if (p.x == pointerSeen.x && p.y == pointerSeen.y)
            p = pointerSet;
        pointerSet = {std::clamp(p.x + dx, 0, kScreenW - 1), std::clamp(p.y + dy, 0, kScreenH - 1)};
        g_display.MovePointer(pointerSet.x, pointerSet.y);
        pointerSeen = g_display.Pointer();
    }
}

bool CControls::Pad(int seat, int input, int state) const
{
    return seat >= 0 && seat < kPadSeats && input >= 0 && input < kPadInputs && padState[seat][input] == state;
}

bool CControls::TakeFullscreenToggle()
{
    const bool requested = toggleRequested;
    toggleRequested = false;
    return requested;
}

bool CControls::IsActive(const CControlBinding& binding) const
{
    const int code = binding.code;
    switch (binding.device) {
    case kDeviceKeyboard:
        return code >= 0 && code < kKeySlots && keyState[code] == binding.state;
    case kDeviceMouse:
        return code >= 0 && code <= 2 && mouseState[code] == binding.state;
    default:
        if (binding.device >= kDeviceJoystick1 && binding.device <= kDeviceJoystick4 && code >= 0 &&
            code < kJoyButtons)
            return joyButtons[binding.device - kDeviceJoystick1][code] == binding.state;
        return false;
    }
}

bool CControls::Key(int keyCode, int state) const
{
    return IsActive({kDeviceKeyboard, SlotOfKey(keyCode), state});
}

bool CControls::Bound(const char* action, int state) const { return Key(g_settings.Key(action), state); }

std::string CControls::KeyLabel(int keyCode)
{
    if (KeyPositions::Following()) {
        const std::string label = XKeyboard::LabelAt(KeyPositions::KeycodeOf(keyCode));
        if (!label.empty())
            return label;
    }
    const char* name = KeyNames::Name(keyCode);
    return name ? name : "?";
}

bool CControls::TakeFocusLost()
{
    const bool lost = focusLost.exchange(false);
    return lost && std::chrono::steady_clock::now() >= ignoreFocusUntil;
}

void CControls::IgnoreFocusLoss(int ms)
{
    ignoreFocusUntil = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
}

void CControls::NoteFocusLost() { focusLost = true; }
