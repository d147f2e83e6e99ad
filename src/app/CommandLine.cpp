#include "app/CommandLine.h"

#include <cstring>

namespace {

constexpr const char* kUsage = "usage: %s [--windowed | --fullscreen] [--help] [--version]\n";

bool Is(const char* arg, const char* name) { return std::strcmp(arg, name) == 0; }

} // namespace

SCommandLine ParseCommandLine(int argc, const char* const* argv)
{
    SCommandLine line;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (Is(a, "--help") || Is(a, "-h")) {
            line.action = SCommandLine::kHelp;
        } else if (Is(a, "--version")) {
            if (line.action != SCommandLine::kHelp)
                line.action = SCommandLine::kVersion;
        } else if (Is(a, "--windowed")) {
            line.fullscreen = 0;
        } else if (Is(a, "--fullscreen")) {
            line.fullscreen = 1;
        } else {
            line.action = SCommandLine::kBadUsage;
            line.bad = a;
            return line;
        }
    }
    return line;
}

int AnswerCommandLine(const SCommandLine& line, const char* program, FILE* out, FILE* err)
{
    switch (line.action) {
    case SCommandLine::kPlay:
        return -1;
    case SCommandLine::kVersion:
        std::fprintf(out, "Yolvar Krandel %s\n", YK_VERSION);
        return 0;
    case SCommandLine::kHelp:
        std::fprintf(out, kUsage, program);
        std::fprintf(out, "\nAn arcade game for one or two players: steer a spiked puck with laser\n"
                          "pulses and purge the alien parasites from an astronaut's body.\n\n"
                          "  --windowed     play in a window this time (settings.ini is left as it is)\n"
                          "  --fullscreen   play full screen this time\n"
                          "  --help         show this help and quit\n"
                          "  --version      show the version and quit\n\n"
                          "Settings (settings.ini) and best scores (score.yk) are kept in\n"
                          "${XDG_DATA_HOME:-~/.local/share}/yolvar-krandel when the game is installed,\n"
                          "else in the folder it is started from.\n");
        return 0;
    case SCommandLine::kBadUsage:
        std::fprintf(err, "%s: unknown argument '%s'; usage: %s [--windowed | --fullscreen] [--help] [--version]\n",
                     program, line.bad, program);
        return 2;
    }
    return 2;
}
