#pragma once
#include <filesystem>
#include <string>

// Where the game plays. A build plays in the folder it is started from,
// which holds data/, settings.ini and score.yk. An installed game finds its
// data next to its program (../share/games/yolvar-krandel) and plays in the
// player's own folder, ${XDG_DATA_HOME:-~/.local/share}/yolvar-krandel,
// with data linked in, so settings and scores survive updates.
namespace GameHome {

constexpr const char* kName = "yolvar-krandel";

// The installed data folder for a program at this path, or empty.
std::filesystem::path InstalledData(const std::filesystem::path& program);

// The player's folder from the environment's values (either may be null).
std::filesystem::path PlayerFolder(const char* xdgDataHome, const char* home);

// Makes the player's folder the working directory with data linked to the
// installed data. Returns false with a one-line reason.
bool Enter(const std::filesystem::path& folder, const std::filesystem::path& data, std::string& error);

// Whether the data folder at this path can be played from: a folder (or a
// link to one) that holds the game's definition files (*.ykd). Returns false
// with a one-line reason naming the folder looked in.
bool CheckData(const std::filesystem::path& data, std::string& error);

// For the program itself: enters the player's folder when installed, else
// stays where it was started. Returns false with a one-line reason.
bool Prepare(std::string& error);

} // namespace GameHome
