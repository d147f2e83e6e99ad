#pragma once

#include <functional>
#include <initializer_list>
#include <span>
#include <string>

// settings.ini, in the working folder: section "game" (the display) and
// "audio" (the sound set-up).
inline constexpr const char* kSettingsFile = "settings.ini";

// Writes of the game's own files (settings.ini, score.yk). The whole file is written beside the
// old one as NAME.tmp and renamed over it, so that a kill or a power cut in
// the middle of a write leaves either the old file or the new one, never a
// truncated one; and it is written only when a value differs from what the
// file holds, so an ordinary run does not rewrite it at all.
namespace SettingsFile {

struct Value {
    const char* section;
    const char* key;
    std::string value;
};

// Gives PATH these values in Allegro's configuration format, keeping every
// other key and line it holds; a link is written through and stays a link.
// True when the file holds them afterwards. A failure is reported once per
// WHAT ("the settings", "the best scores"). Leaves the library's current
// configuration as it found it.
bool Write(const char* path, std::span<const Value> values, const char* what = "the settings");
inline bool Write(const char* path, std::initializer_list<Value> values)
{
    return Write(path, std::span<const Value>(values.begin(), values.size()));
}

// Test seam: called with the temporary file's name once it is complete and
// before it replaces the old file (the moment a kill would hurt most).
extern std::function<void(const std::string& temp)> beforeRename;

} // namespace SettingsFile
