#include "play/SettingsScreen.h"

#include <allegro.h>

#include <algorithm>
#include <cstring>

#include "app/Display.h"
#include "app/Settings.h"
#include "app/SettingsFile.h"
#include "app/TickTimer.h"
#include "audio/Audio.h"
#include "input/Controls.h"
#include "input/KeyNames.h"
#include "text/Ttf.h"

namespace {

constexpr int kTop = 112;          // the first line's top
constexpr int kKeysGap = 14;       // pixels between the game's rows and the keys
constexpr int kMessageShown = 250; // hundredths a refusal stays on the screen

const char* Label(const SSettingRow& row) { return row.label ? row.label : row.name; }

bool Pressed(int key) { return g_controls.Key(key, kInputPressed); }
bool PadPressed(int input) { return g_controls.AnyPad(input, kInputPressed); }

} // namespace

CSettingsScreen::CSettingsScreen(const SArt& a) : art(a)
{
    int y = kTop;
    bool keys = false;
    for (const SSettingRow& row : Settings::Rows()) {
        if (row.type == ESettingType::kKey && !keys) {
            keys = true;
            y += kKeysGap;
        }
        lines.push_back({&row, y});
        y += kLineH;
    }
    lines.push_back({nullptr, y}); // reset the keys
}

std::string CSettingsScreen::Shown(const SSettingRow& row, const std::string& value)
{
    switch (row.type) {
    case ESettingType::kSwitch:
        return value == "1" ? "On" : "Off";
    case ESettingType::kKey:
        return CControls::KeyLabel(KeyNames::Key(value));
    case ESettingType::kChoice:
    case ESettingType::kNumber:
        break;
    }
    if (!std::strcmp(row.name, "maxfps")) {
        if (value == "display")
            return "As the display";
        if (value == "0")
            return "No limit";
    }
    if (!std::strcmp(row.name, "windowscale"))
        return value == "auto" ? "Largest that fits" : value + " x";
    std::string shown = value;
    if (!shown.empty())
        shown[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(shown[0])));
    return shown;
}

std::string CSettingsScreen::Stepped(const SSettingRow& row, const std::string& value, int by)
{
    const std::vector<std::string> steps = Settings::Steps(row);
    if (steps.empty())
        return value;
    const int n = static_cast<int>(steps.size());
    const auto at = std::find(steps.begin(), steps.end(), value);
    // A value between the steps (typed into the file) goes to the first one.
    const int i = at == steps.end() ? (by > 0 ? -1 : 0) : static_cast<int>(at - steps.begin());
    return steps[static_cast<size_t>(((i + by) % n + n) % n)];
}

void CSettingsScreen::Say(const std::string& text)
{
    message = text;
    messageUntil = CTickTimer::Now() + kMessageShown;
}

void CSettingsScreen::Change(int line, int by)
{
    const SSettingRow* row = lines[static_cast<size_t>(line)].row;
    if (!row || row->type == ESettingType::kKey)
        return;
    if (g_settings.Set(row->name, Stepped(*row, g_settings.Text(row->name), by))) {
        g_audio.PlaySound("BEEP_SFX");
        g_settings.Save(kSettingsFile);
        g_display.ApplySettings();
        if (!std::strcmp(row->name, "pads")) {
            if (!g_settings.Switch("pads"))
                g_controls.StopPads();
            else if (!g_controls.StartPads())
                Say("Game pads cannot start on this machine");
        }
    }
}

void CSettingsScreen::Activate(int line)
{
    const SSettingRow* row = lines[static_cast<size_t>(line)].row;
    if (!row) {
        g_settings.ResetKeys();
        g_settings.Save(kSettingsFile);
        g_audio.PlaySound("BEEP_SFX");
        Say("Every key is back at its default");
    } else if (row->type == ESettingType::kKey) {
        capturing = true;
        message.clear();
    } else {
        Change(line, +1);
    }
}

void CSettingsScreen::TakeKey()
{
    if (Pressed(KEY_ESC) || PadPressed(kPadB) || PadPressed(kPadBack)) {
        capturing = false;
        return;
    }
    const SSettingRow& row = *lines[static_cast<size_t>(selected)].row;
    for (int slot = 0; slot < CControls::kKeySlots; ++slot) {
        if (g_controls.keyState[slot] != kInputPressed)
            continue;
        const int key = CControls::KeyOfSlot(slot);
        const char* name = KeyNames::Name(key);
        if (!name)
            continue;
        capturing = false;
        if (const SSettingRow* other = g_settings.KeyTakenBy(row.name, name)) {
            Say(CControls::KeyLabel(key) + " is already " + Label(*other) + "'s key");
            return;
        }
        if (!g_settings.Set(row.name, name)) {
            Say(CControls::KeyLabel(key) + " cannot be bound");
            return;
        }
        g_settings.Save(kSettingsFile);
        g_audio.PlaySound("BEEP_SFX");
        return;
    }
}

int CSettingsScreen::LineAt(int y) const
{
    for (size_t i = 0; i < lines.size(); ++i)
        if (y >= lines[i].y && y < lines[i].y + kLineH)
            return static_cast<int>(i);
    return -1;
}

bool CSettingsScreen::Pass()
{
    if (capturing) {
        TakeKey();
        return true;
    }
    if (Pressed(KEY_ESC) || Pressed(KEY_F2) || PadPressed(kPadB) || PadPressed(kPadBack)) {
        g_settings.Save(kSettingsFile);
        return false;
    }
    const int count = static_cast<int>(lines.size());
    if (Pressed(KEY_UP) || PadPressed(kPadUp))
        selected = (selected + count - 1) % count;
    if (Pressed(KEY_DOWN) || PadPressed(kPadDown))
        selected = (selected + 1) % count;
    // The pointer selects the line it moves onto; it does not fight the keys standing still.
    const ScreenFit::SPoint p = g_display.Pointer();
    const int under = LineAt(p.y);
    if (p.y != lastPointerY && under >= 0)
        selected = under;
    lastPointerY = p.y;
    if (Pressed(KEY_LEFT) || PadPressed(kPadLeft))
        Change(selected, -1);
    if (Pressed(KEY_RIGHT) || PadPressed(kPadRight))
        Change(selected, +1);
    if (Pressed(KEY_ENTER) || Pressed(KEY_SPACE) || PadPressed(kPadA) || PadPressed(kPadStart))
        Activate(selected);
    if (g_controls.Mouse(0, kInputPressed) && under >= 0) {
        const SSettingRow* row = lines[static_cast<size_t>(under)].row;
        if (row && row->type != ESettingType::kKey && row->type != ESettingType::kSwitch && p.x < kValueHotLeft)
            Change(under, -1); // the label's side steps back, the value's side on
        else
            Activate(under);
    }
    return true;
}

void CSettingsScreen::Draw() const
{
    BITMAP* bb = g_display.backBuffer;
    if (!bb)
        return;
    if (art.backdrop)
        blit(art.backdrop, bb, 0, 0, 0, 0, kScreenW, kScreenH);
    else
        clear_to_color(bb, makecol(24, 16, 32));
    const int white = makecol(255, 255, 255), black = 0;
    const int lit = makecol(255, 208, 96), dim = makecol(200, 190, 210), bar = makecol(96, 40, 72);
    ALFONT_FONT* font = art.medium;
    for (size_t i = 0; i < lines.size(); ++i) {
        const SLine& line = lines[i];
        const bool chosen = static_cast<int>(i) == selected;
        if (chosen)
            rectfill(bb, kLabelX - 16, line.y, kValueX + 16, line.y + kLineH - 3, bar);
        const std::string label = line.row ? Label(*line.row) : "Put every key back to its default";
        const int colour = chosen ? lit : white;
        ttf_textout_aa(bb, font, label.c_str(), kLabelX + 2, line.y + 4 + 2, black);
        ttf_textout_aa(bb, font, label.c_str(), kLabelX, line.y + 4, colour);
        if (!line.row)
            continue;
        std::string value = Shown(*line.row, g_settings.Text(line.row->name));
        if (chosen && capturing)
            value = "Press a key (Escape: keep " + value + ")";
        else if (chosen && line.row->type != ESettingType::kKey)
            value = "< " + value + " >";
        ttf_textprintf_right_aa(bb, font, kValueX + 2, line.y + 6, black, "%s", value.c_str());
        ttf_textprintf_right_aa(bb, font, kValueX, line.y + 4, colour, "%s", value.c_str());
    }
    // The chosen line's help, or the refusal the player has to read.
    const SSettingRow* row = lines[static_cast<size_t>(selected)].row;
    const bool saying = !message.empty() && CTickTimer::Now() < messageUntil;
    const std::string foot = saying ? message : row ? row->help : "The arrows, W/A/S/D, P, Space and Escape as they were";
    ttf_textprintf_centre_aa(bb, art.medium, kScreenW / 2 + 2, 712 + 2, black, "%s", foot.c_str());
    ttf_textprintf_centre_aa(bb, art.medium, kScreenW / 2, 712, saying ? lit : dim, "%s", foot.c_str());
    const char* const how = "Up and Down choose, Left and Right change, Enter sets a key, Escape leaves";
    ttf_textprintf_centre_aa(bb, art.medium, kScreenW / 2 + 2, 738 + 2, black, "%s", how);
    ttf_textprintf_centre_aa(bb, art.medium, kScreenW / 2, 738, white, "%s", how);
}

void CSettingsScreen::Run(CModalLoop& loop)
{
    g_display.SetCursorVisible(true);
    loop.BeginPass();
    lastPointerY = g_display.Pointer().y; // the first line is chosen until the pointer moves
    // The F2 that opened the screen must not close it again.
    while (Pass() && !CModalLoop::CloseRequested()) {
        Draw();
        g_display.Present();
        loop.NextPass();
    }
    // Escape (or B, Back) leaves here on its press; its release must not
    // leave the level select too.
    auto down = [](bool pressed, bool held) { return pressed || held; };
    while ((down(g_controls.Key(KEY_ESC, kInputPressed), g_controls.Key(KEY_ESC, kInputHeld)) ||
            down(g_controls.AnyPad(kPadB, kInputPressed), g_controls.AnyPad(kPadB, kInputHeld)) ||
            down(g_controls.AnyPad(kPadBack, kInputPressed), g_controls.AnyPad(kPadBack, kInputHeld))) &&
           !CModalLoop::CloseRequested())
        loop.NextPass();
}
