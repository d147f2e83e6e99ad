#include "app/ConfigFile.h"

#include <allegro.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

bool Unsafe(char c) { return static_cast<unsigned char>(c) >= 0xF8; }

} // namespace

std::string CleanConfigText(std::string text)
{
    std::replace_if(text.begin(), text.end(), Unsafe, '?');
    return text;
}

void OpenConfigFile(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        set_config_file(path.c_str());
        return;
    }
    if (!std::filesystem::is_regular_file(path, ec)) {
        set_config_data("", 0);
        return;
    }
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (std::none_of(text.begin(), text.end(), Unsafe)) {
        set_config_file(path.c_str());
        return;
    }
    const std::string clean = CleanConfigText(text);
    set_config_data(clean.data(), static_cast<int>(clean.size()));
}
