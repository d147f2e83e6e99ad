#include "FuzzHome.h"

#include <allegro.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {
std::string home;
std::filesystem::path started;
} // namespace

const std::string& MakeFuzzHome()
{
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        std::abort();
    set_color_depth(16);
    char pattern[] = "/tmp/yk-fuzz.XXXXXX";
    if (!mkdtemp(pattern))
        std::abort();
    home = pattern;
    std::filesystem::create_directories(home + "/data/states");
    // Nothing of the run is kept: the folder goes when the fuzzer ends.
    std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(home, ec);
    });
    return home;
}

CInFuzzHome::CInFuzzHome()
{
    started = std::filesystem::current_path();
    if (chdir(home.c_str()) != 0)
        std::abort();
}

CInFuzzHome::~CInFuzzHome()
{
    if (chdir(started.c_str()) != 0)
        std::abort();
}

void WriteInput(const std::string& path, const unsigned char* data, std::size_t size)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        std::abort();
    if (size)
        std::fwrite(data, 1, size, f);
    std::fclose(f);
}
