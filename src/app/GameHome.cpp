#include "app/GameHome.h"

#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

namespace GameHome {

fs::path InstalledData(const fs::path& program)
{
    std::error_code ec;
    const fs::path prefix = program.parent_path().parent_path();
    for (const fs::path& dir : {prefix / "share" / "games" / kName, prefix / "share" / kName})
        if (fs::is_regular_file(dir / "control-1.ykd", ec))
            return dir;
    return {};
}

fs::path PlayerFolder(const char* xdgDataHome, const char* home)
{
    // An empty or relative XDG_DATA_HOME is to be ignored.
    if (xdgDataHome && fs::path(xdgDataHome).is_absolute())
        return fs::path(xdgDataHome) / kName;
    if (home && *home)
        return fs::path(home) / ".local" / "share" / kName;
    return {};
}

bool Enter(const fs::path& folder, const fs::path& data, std::string& error)
{
    std::error_code ec;
    if (folder.empty()) {
        error = "neither XDG_DATA_HOME nor HOME is set: no folder for settings and scores";
        return false;
    }
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder)) {
        error = "cannot make the folder " + folder.string() + ": " + ec.message();
        return false;
    }
    // A link left by an older install (or a dangling one) is pointed anew;
    // a real data folder of the player's own is left alone.
    const fs::path link = folder / "data";
    const bool linked = fs::is_symlink(link, ec);
    if (linked && fs::read_symlink(link, ec) == data) {
        // already where it belongs
    } else if (linked || !fs::exists(fs::symlink_status(link, ec))) {
        fs::remove(link, ec);
        fs::create_directory_symlink(data, link, ec);
        if (ec) {
            error = "cannot link " + link.string() + " to " + data.string() + ": " + ec.message();
            return false;
        }
    }
    fs::current_path(folder, ec);
    if (ec) {
        error = "cannot enter the folder " + folder.string() + ": " + ec.message();
        return false;
    }
    return true;
}

bool CheckData(const fs::path& data, std::string& error)
{
    std::error_code ec;
    const fs::path shown = fs::absolute(data, ec).lexically_normal();
    const char* problem = nullptr;
    if (fs::is_symlink(data, ec) && !fs::exists(data, ec))
        problem = "is a link that leads nowhere";
    else if (!fs::exists(data, ec))
        problem = "is missing";
    else if (!fs::is_directory(data, ec))
        problem = "is not a folder";
    else {
        problem = "holds no definition files (*.ykd)";
        for (fs::directory_iterator it(data, ec), end; !ec && it != end; it.increment(ec))
            if (it->path().extension() == ".ykd") {
                problem = nullptr;
                break;
            }
        if (ec)
            problem = "cannot be read";
    }
    if (!problem)
        return true;
    // Most often the program was started from the wrong folder.
    error = "no game data: " + shown.string() + " " + problem + "; start the game from the folder that holds data/";
    return false;
}

bool Prepare(std::string& error)
{
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return true; // no way to tell: play where started
    const fs::path data = InstalledData(program);
    if (data.empty())
        return true;
    return Enter(PlayerFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")), data, error);
}

} // namespace GameHome
