#include "app/Settings.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/ConfigFile.h"
#include "app/SettingsFile.h"
#include "input/KeyNames.h"

CSettings g_settings;

namespace {

// clang-format off
const SSettingRow kRows[] = {
    {"game", "fullscreen", ESettingType::kSwitch, "1", 0, 1, 1, "",
     "Full screen (1) or a window (0); F11 or Alt+Enter switches at any moment", "Full screen"},
    {"game", "scaling", ESettingType::kChoice, "fill", 0, 0, 0, "fill|whole",
     "fill: the largest 4:3 picture the screen holds; whole: whole multiples of 1024 x 768 only", "Scaling"},
    {"game", "windowscale", ESettingType::kNumber, "auto", 1, 8, 0.5, "auto",
     "The window's size: auto (the largest whole multiple of 1024 x 768 that fits the screen) or 1 to 8 times it",
     "Window size"},
    {"game", "maxfps", ESettingType::kNumber, "display", 0, 1000, 1, "display",
     "Frames a second at most: display (the monitor's refresh rate), 0 (no cap) or a number", "Frames a second",
     "display|30|60|75|120|144|240|0"},
    {"game", "pauseonfocusloss", ESettingType::kSwitch, "1", 0, 1, 1, "",
     "Pause play when the game's window loses the keyboard focus (1) or play on (0)", "Pause when the focus leaves"},
    {"game", "pads", ESettingType::kSwitch, "1", 0, 1, 1, "",
     "Game pads (1) or none (0): two pads steer two players, plugged in at any moment", "Game pads"},
    {"keys", "player1up", ESettingType::kKey, "UP", 0, 0, 0, "", "Player 1 pushes the puck up", "Player 1 up"},
    {"keys", "player1down", ESettingType::kKey, "DOWN", 0, 0, 0, "", "Player 1 pushes the puck down", "Player 1 down"},
    {"keys", "player1left", ESettingType::kKey, "LEFT", 0, 0, 0, "", "Player 1 pushes the puck left", "Player 1 left"},
    {"keys", "player1right", ESettingType::kKey, "RIGHT", 0, 0, 0, "", "Player 1 pushes the puck right", "Player 1 right"},
    {"keys", "player2up", ESettingType::kKey, "W", 0, 0, 0, "", "Player 2 (or player 1 alone) pushes up", "Player 2 up"},
    {"keys", "player2down", ESettingType::kKey, "S", 0, 0, 0, "", "Player 2 (or player 1 alone) pushes down", "Player 2 down"},
    {"keys", "player2left", ESettingType::kKey, "A", 0, 0, 0, "", "Player 2 (or player 1 alone) pushes left", "Player 2 left"},
    {"keys", "player2right", ESettingType::kKey, "D", 0, 0, 0, "", "Player 2 (or player 1 alone) pushes right", "Player 2 right"},
    {"keys", "pause", ESettingType::kKey, "P", 0, 0, 0, "", "Pause play and go on", "Pause"},
    {"keys", "restart", ESettingType::kKey, "SPACE", 0, 0, 0, "", "Restart the level", "Restart the level"},
    {"keys", "back", ESettingType::kKey, "ESC", 0, 0, 0, "", "Leave the level for the level select", "Back to the level select"},
};
// clang-format on

std::string FormatNumber(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

} // namespace

namespace Settings {

std::span<const SSettingRow> Rows() { return kRows; }

const SSettingRow* Find(const char* name)
{
    for (const SSettingRow& row : kRows)
        if (!std::strcmp(row.name, name))
            return &row;
    return nullptr;
}

std::vector<std::string> Words(const SSettingRow& row)
{
    std::vector<std::string> words;
    const char* p = row.words;
    while (*p) {
        const char* bar = std::strchr(p, '|');
        const size_t n = bar ? static_cast<size_t>(bar - p) : std::strlen(p);
        words.emplace_back(p, n);
        p += n + (bar ? 1 : 0);
    }
    return words;
}

std::vector<std::string> Steps(const SSettingRow& row)
{
    if (row.steps) {
        SSettingRow listed = row;
        listed.words = row.steps;
        return Words(listed);
    }
    switch (row.type) {
    case ESettingType::kSwitch:
        return {"0", "1"};
    case ESettingType::kChoice:
        return Words(row);
    case ESettingType::kNumber: {
        std::vector<std::string> steps = Words(row);
        for (double v = row.low; v <= row.high + 1e-9 && steps.size() < 64; v += row.step > 0 ? row.step : 1)
            steps.push_back(FormatNumber(v));
        return steps;
    }
    case ESettingType::kKey:
        break;
    }
    return {};
}

std::string Describe(const SSettingRow& row)
{
    std::string words;
    for (const std::string& w : Words(row))
        words += (words.empty() ? "" : " or ") + w;
    switch (row.type) {
    case ESettingType::kSwitch:
        return "0 or 1";
    case ESettingType::kChoice:
        return words;
    case ESettingType::kNumber:
        return (words.empty() ? "" : words + " or ") + "a number from " + FormatNumber(row.low) + " to " +
               FormatNumber(row.high);
    case ESettingType::kKey:
        return "a key's name, not F11 and not another action's";
    }
    return words;
}

std::optional<std::string> Normalise(const SSettingRow& row, const char* text)
{
    if (!text)
        return std::nullopt;
    std::string t = text;
    const auto first = t.find_first_not_of(" \t\r");
    t = first == std::string::npos ? std::string() : t.substr(first, t.find_last_not_of(" \t\r") - first + 1);
    switch (row.type) {
    case ESettingType::kSwitch:
        // As the library reads a number: anything else reads as 0.
        return std::strtol(t.c_str(), nullptr, 0) != 0 ? "1" : "0";
    case ESettingType::kChoice:
        for (const std::string& w : Words(row))
            if (t == w)
                return w;
        return std::nullopt;
    case ESettingType::kNumber: {
        for (const std::string& w : Words(row))
            if (t == w)
                return w;
        char* end = nullptr;
        const double v = std::strtod(t.c_str(), &end);
        if (t.empty() || end != t.c_str() + t.size() || !std::isfinite(v))
            return std::nullopt;
        const double stepped = row.step > 0 ? std::round(v / row.step) * row.step : v;
        return FormatNumber(std::clamp(stepped, row.low, row.high));
    }
    case ESettingType::kKey: {
        // F11 switches full screen at any moment: an action there would fire too.
        const int key = KeyNames::Key(t);
        if (key < 0 || key == KEY_F11)
            return std::nullopt;
        return std::string(KeyNames::Name(key));
    }
    }
    return std::nullopt;
}

} // namespace Settings

CSettings::CSettings()
{
    for (const SSettingRow& row : kRows)
        values.emplace_back(row.defaultValue);
}

void CSettings::Load(const char* path)
{
    *this = CSettings();
    OpenConfigFile(path);
    // Before the window could be scaled, the game wrote "maxfps = 0" into
    // every settings file, meaning no choice at all: such a file (it has no
    // scaling key yet) gets the monitor's pace like a new one.
    const bool writtenBeforeScaling = !get_config_string("game", "scaling", nullptr);
    for (size_t i = 0; i < values.size(); ++i) {
        const SSettingRow& row = kRows[i];
        const char* text = get_config_string(row.section, row.name, nullptr);
        if (!text)
            continue;
        if (writtenBeforeScaling && !std::strcmp(row.name, "maxfps") && Settings::Normalise(row, text) == "0")
            continue;
        if (const auto value = Settings::Normalise(row, text))
            values[i] = *value;
        else
            std::fprintf(stderr, "%s: [%s] %s = \"%s\" is not %s; using %s\n", path, row.section, row.name, text,
                         Settings::Describe(row).c_str(), row.defaultValue);
    }
    set_config_file("release");
    KeepKeysApart(path);
    Save(path);
}

void CSettings::KeepKeysApart(const char* path)
{
    // A key bound twice is a broken line: the later one takes its default,
    // and if even that leaves one key on two actions, every key does.
    auto takenBefore = [&](size_t i) {
        for (size_t j = 0; j < i; ++j)
            if (kRows[j].type == ESettingType::kKey && KeyNames::Key(values[j]) == KeyNames::Key(values[i]))
                return true;
        return false;
    };
    for (size_t i = 0; i < values.size(); ++i) {
        if (kRows[i].type != ESettingType::kKey || !takenBefore(i))
            continue;
        std::fprintf(stderr, "%s: [keys] %s = %s is another action's key; using %s\n", path, kRows[i].name,
                     values[i].c_str(), kRows[i].defaultValue);
        values[i] = kRows[i].defaultValue;
    }
    for (size_t i = 0; i < values.size(); ++i)
        if (kRows[i].type == ESettingType::kKey && KeyTakenBy(kRows[i].name, values[i])) {
            std::fprintf(stderr, "%s: [keys] still binds one key twice; every key is back at its default\n", path);
            ResetKeys();
            return;
        }
}

bool CSettings::Save(const char* path) const
{
    std::vector<SettingsFile::Value> out;
    for (size_t i = 0; i < values.size(); ++i)
        out.push_back({kRows[i].section, kRows[i].name, values[i]});
    return SettingsFile::Write(path, out);
}

const std::string& CSettings::Text(const char* name) const
{
    static const std::string none;
    const SSettingRow* row = Settings::Find(name);
    return row ? values[static_cast<size_t>(row - kRows)] : none;
}

double CSettings::Number(const char* name, double fallback) const
{
    const std::string& t = Text(name);
    char* end = nullptr;
    const double v = std::strtod(t.c_str(), &end);
    return end != t.c_str() && *end == '\0' ? v : fallback;
}

bool CSettings::Set(const char* name, const std::string& text)
{
    const SSettingRow* row = Settings::Find(name);
    if (!row)
        return false;
    const auto value = Settings::Normalise(*row, text.c_str());
    if (!value || (row->type == ESettingType::kKey && KeyTakenBy(name, *value)))
        return false;
    values[static_cast<size_t>(row - kRows)] = *value;
    return true;
}

const SSettingRow* CSettings::KeyTakenBy(const char* name, const std::string& text) const
{
    const int key = KeyNames::Key(text);
    for (size_t i = 0; i < values.size(); ++i)
        if (kRows[i].type == ESettingType::kKey && std::strcmp(kRows[i].name, name) != 0 &&
            KeyNames::Key(values[i]) == key)
            return &kRows[i];
    return nullptr;
}

int CSettings::Key(const char* name) const { return KeyNames::Key(Text(name)); }

void CSettings::ResetKeys()
{
    for (size_t i = 0; i < values.size(); ++i)
        if (kRows[i].type == ESettingType::kKey)
            values[i] = kRows[i].defaultValue;
}
