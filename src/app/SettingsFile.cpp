#include "app/SettingsFile.h"

#include <allegro.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

#include "app/ConfigFile.h"

namespace SettingsFile {

std::function<void(const std::string& temp)> beforeRename;

namespace {

namespace fs = std::filesystem;

bool HoldsAlready(const char* path, std::span<const Value> values)
{
    push_config_state();
    OpenConfigFile(path); // read only: nothing is set, so nothing is flushed
    bool same = true;
    for (const Value& v : values) {
        const char* now = get_config_string(v.section, v.key, nullptr);
        same = same && now && v.value == now;
    }
    pop_config_state();
    return same;
}

// On disk before the rename, so that after a power cut the new name never
// stands for blocks that were not written.
void SyncFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Allegro adds a new key after the last line of its section, which it finds
// by the first blank line: in a file written by hand without blank lines
// between sections the key would land in the next section, never be found
// there and be added again on every run. A blank line before each section
// header keeps every key where it belongs.
bool CopySeparated(const std::string& from, const std::string& to)
{
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary);
    std::string line;
    bool blankBefore = true;
    while (in && out && std::getline(in, line)) {
        const bool blank = line.find_first_not_of(" \t\r") == std::string::npos;
        if (!blankBefore && !blank && line[line.find_first_not_of(" \t")] == '[')
            out << '\n';
        out << CleanConfigText(line) << '\n';
        blankBefore = blank;
    }
    return in.eof() && out.flush();
}

} // namespace

bool Write(const char* name, std::span<const Value> values, const char* what)
{
    std::error_code ec;
    // A link is followed, so that a settings file kept elsewhere stays there.
    std::string target = name;
    if (fs::is_symlink(name, ec) && fs::exists(name, ec))
        target = fs::canonical(name, ec).string();
    const char* path = target.c_str();
    if (HoldsAlready(path, values))
        return true;
    const std::string temp = std::string(path) + ".tmp";
    fs::remove(temp, ec);
    // Something in the temporary file's place that cannot be removed (a
    // folder with files in it) is never handed to Allegro, whose flush can
    // spin on one. (A folder in the file's own place fails at the rename.)
    bool ok = !fs::exists(temp, ec);
    if (ok && fs::is_regular_file(path, ec))
        ok = CopySeparated(path, temp); // the keys of the other section and the player's lines stay
    if (ok) {
        push_config_state();
        set_config_file(temp.c_str());
        for (const Value& v : values)
            set_config_string(v.section, v.key, v.value.c_str());
        pop_config_state(); // flushes the temporary file
        ok = fs::is_regular_file(temp, ec) && fs::file_size(temp, ec) > 0 && !ec;
    }
    if (ok) {
        SyncFile(temp);
        if (beforeRename)
            beforeRename(temp);
        fs::rename(temp, path, ec);
        ok = !ec;
    }
    if (!ok) {
        fs::remove(temp, ec);
        static std::set<std::string> reported;
        if (reported.insert(what).second)
            std::fprintf(stderr, "Could not save %s to %s in this folder; playing on without saving them\n", what,
                         path);
    }
    return ok;
}

} // namespace SettingsFile
