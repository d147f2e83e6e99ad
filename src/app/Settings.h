#pragma once
#include <optional>
#include <span>
#include <string>
#include <vector>

// The player's settings in settings.ini beyond the volumes: one row each,
// which the reader, the writer, the settings screen and the tests all loop
// over. A value is kept as the text the file holds, in the row's own form.
enum class ESettingType {
    kSwitch, // 1 or 0; any non-zero whole number reads as 1
    kNumber, // a number in [low, high], a multiple of step; or the row's word
    kChoice, // one of the row's words
    kKey,    // a key's name (KeyNames), bound to one action: no two rows the same key
};

struct SSettingRow {
    const char* section;
    const char* name;
    ESettingType type;
    const char* defaultValue; // as written in the file
    double low, high, step;   // kNumber only
    const char* words;        // kChoice: the values, '|' between; kNumber: a word beside the numbers, or ""
    const char* help;         // one line, for the settings screen and the README
    const char* label = nullptr; // the settings screen's name for it (else the row's name)
    const char* steps = nullptr; // the values the settings screen steps through, '|' between
                                 // (else every value the row takes)
};

namespace Settings {

std::span<const SSettingRow> Rows();
const SSettingRow* Find(const char* name);

// The row's own form of a text, or nothing when the text does not fit the
// row (a broken value: the caller keeps the default). A number out of range
// is held to it; one between steps goes to the nearest.
std::optional<std::string> Normalise(const SSettingRow& row, const char* text);

// What the row takes, in words: "fill or whole", "auto or a number from 1 to 8".
std::string Describe(const SSettingRow& row);

// The words of a kChoice row (or the one word of a kNumber row).
std::vector<std::string> Words(const SSettingRow& row);

// The values the settings screen steps through, in order: the row's steps,
// else its words and then every step from low to high; {"0", "1"} for a
// switch; nothing for a key.
std::vector<std::string> Steps(const SSettingRow& row);

} // namespace Settings

// The values of every row, read from and written to settings.ini.
class CSettings {
public:
    CSettings(); // every row at its default

    // Reads every row; a value that does not fit its row keeps the default
    // and is named once on stderr. Writes every row back in its own form
    // (only when one differs), so that every key exists after a run.
    void Load(const char* path);
    // Writes every row (atomically, only when one differs). True when the
    // file holds them afterwards.
    bool Save(const char* path) const;

    const std::string& Text(const char* name) const;
    bool Switch(const char* name) const { return Text(name) == "1"; }
    // The number, or the fallback when the value is the row's word.
    double Number(const char* name, double fallback) const;
    bool Is(const char* name, const char* word) const { return Text(name) == word; }
    // Sets a value through Normalise; false (and unchanged) when refused,
    // as a key already bound to another action is.
    bool Set(const char* name, const std::string& text);
    // The key row other than NAME that holds the key TEXT names, or nullptr.
    const SSettingRow* KeyTakenBy(const char* name, const std::string& text) const;
    // The game key of a key row (an Allegro key code).
    int Key(const char* name) const;
    // Every key row back at its default.
    void ResetKeys();

private:
    void KeepKeysApart(const char* path);

    std::vector<std::string> values; // in the order of the rows
};

extern CSettings g_settings;
