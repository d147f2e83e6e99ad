#pragma once
#include <string>
#include <string_view>

// The data files name their paths with backslashes ("data\control-1.ykd");
// every path the game opens goes through here to get the platform separator.
std::string YkPath(std::string_view path);
