#include "app/Settings.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/ConfigFile.h"
#include "app/SettingsFile.h"

CSettings g_settings;

namespace {

// clang-format off
const SSettingRow kRows[] = {
    {"game", "fullscreen", ESettingType::kSwitch, "1", 0, 1, 1, "",
     "Full screen (1) or a window (0); F11 or Alt+Enter switches at any moment"},
    {"game", "scaling", ESettingType::kChoice, "fill", 0, 0, 0, "fill|whole",
     "fill: the largest 4:3 picture the screen holds; whole: whole multiples of 1024 x 768 only"},
    {"game", "windowscale", ESettingType::kNumber, "auto", 1, 8, 0.5, "auto",
     "The window's size: auto (the largest whole multiple of 1024 x 768 that fits the screen) or 1 to 8 times it"},
    {"game", "maxfps", ESettingType::kNumber, "display", 0, 1000, 1, "display",
     "Frames a second at most: display (the monitor's refresh rate), 0 (no cap) or a number"},
    {"game", "pads", ESettingType::kSwitch, "1", 0, 1, 1, "",
     "Game pads (1) or none (0): two pads steer two players, plugged in at any moment"},
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
    Save(path);
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
    if (!value)
        return false;
    values[static_cast<size_t>(row - kRows)] = *value;
    return true;
}
