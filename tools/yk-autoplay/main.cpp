// yk-autoplay [LEVEL...] [--record FILE] [--replay FILE] [--report DIR] [--data DIR] [--snapshot DIR] [--seed-shift N]
// Plays levels headless with a bot at the arrow keys and prints one line per
// level and "N passed, M failed". LEVEL is 1..35 or 1r..4r; none means all.
// --replay plays a recording's keys again and fails where the outcome differs;
// --snapshot saves a picture of each level five seconds into play;
// --seed-shift plays other seeds than the fixed ones, to see whether a margin is luck.
#include <allegro.h>
#include <loadpng.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "InputLog.h"
#include "LevelRun.h"
#include "Report.h"

namespace {

struct SOptions {
    std::vector<SLevelChoice> levels;
    std::string record, replay, report, snapshot;
    std::string data = "data";
    unsigned seedShift = 0;
};

int Usage(const char* why)
{
    std::fprintf(stderr, "yk-autoplay: %s\nusage: yk-autoplay [LEVEL...] [--record FILE] [--replay FILE] "
                         "[--report DIR] [--data DIR] [--snapshot DIR] [--seed-shift N]\n", why);
    return 2;
}

bool ParseArgs(int argc, char** argv, SOptions& o, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--seed-shift") {
            char* end = nullptr;
            const long n = ++i < argc ? std::strtol(argv[i], &end, 10) : -1;
            if (n < 0 || n > 1000000 || !end || *end != '\0') {
                error = "--seed-shift needs a number from 0 to 1000000";
                return false;
            }
            o.seedShift = static_cast<unsigned>(n);
            continue;
        }
        std::string* value = a == "--record" ? &o.record : a == "--replay" ? &o.replay : a == "--report" ? &o.report
                             : a == "--data" ? &o.data : a == "--snapshot" ? &o.snapshot : nullptr;
        if (value) {
            if (++i >= argc) {
                error = a + " needs a value";
                return false;
            }
            *value = std::filesystem::absolute(argv[i]).string();
            continue;
        }
        SLevelChoice choice;
        if (!SLevelChoice::Parse(a, choice)) {
            error = "unknown level \"" + a + "\"";
            return false;
        }
        o.levels.push_back(choice);
    }
    if (o.seedShift != 0 && !o.replay.empty()) {
        error = "--seed-shift and --replay do not go together";
        return false;
    }
    if (!o.record.empty() && !o.replay.empty()) {
        error = "--record and --replay do not go together";
        return false;
    }
    return true;
}

// The play state writes its high-score file into the working directory; a
// private one keeps a player's scores out of reach of the autopilot.
bool EnterScratchDir(const std::string& data, std::string& dir)
{
    char pattern[] = "/tmp/yk-autoplay.XXXXXX";
    if (!mkdtemp(pattern))
        return false;
    dir = pattern;
    std::error_code ec;
    std::filesystem::create_directory_symlink(data, dir + "/data", ec);
    return !ec && chdir(dir.c_str()) == 0;
}

int Play(const SOptions& o)
{
    std::vector<SLevelResult> recorded, runs;
    if (!o.replay.empty()) {
        std::string error;
        if (!LoadInputLog(o.replay, recorded, error)) {
            std::fprintf(stderr, "yk-autoplay: %s: %s\n", o.replay.c_str(), error.c_str());
            return 2;
        }
    }
    int passed = 0, failed = 0;
    std::error_code ec;
    if (!o.snapshot.empty())
        std::filesystem::create_directories(o.snapshot, ec);
    const std::vector<SLevelChoice> levels = o.levels.empty() ? SLevelChoice::Campaign() : o.levels;
    const size_t count = o.replay.empty() ? levels.size() : recorded.size();
    for (size_t i = 0; i < count; ++i) {
        SLevelChoice choice = o.replay.empty() ? levels[i] : recorded[i].choice;
        choice.seed += o.seedShift * 104729u;
        SLevelResult r = RunLevel(choice, o.replay.empty() ? nullptr : &recorded[i].keys, o.snapshot);
        bool ok = r.won;
        std::string note;
        if (!o.replay.empty()) {
            ok = r.points == recorded[i].points && r.ticks == recorded[i].ticks && r.won == recorded[i].won;
            note = ok ? "  replay matches" : "  REPLAY DIFFERS from the recording";
        }
        std::printf("%s%s\n", ResultLine(r).c_str(), note.c_str());
        std::fflush(stdout);
        (ok ? passed : failed)++;
        runs.push_back(std::move(r));
    }
    if (!o.record.empty() && !SaveInputLog(o.record, runs))
        std::fprintf(stderr, "yk-autoplay: cannot write %s\n", o.record.c_str());
    if (!o.report.empty() && !WriteReport(o.report, runs))
        std::fprintf(stderr, "yk-autoplay: cannot write the report into %s\n", o.report.c_str());
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    SOptions options;
    std::string error;
    if (!ParseArgs(argc, argv, options, error))
        return Usage(error.c_str());
    options.data = std::filesystem::absolute(options.data).string();
    if (!std::filesystem::is_directory(options.data + "/states"))
        return Usage(("no state files under " + options.data).c_str());
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0)
        return Usage("cannot start Allegro");
    set_color_depth(16);
    register_png_file_type();
    std::string scratch;
    if (!EnterScratchDir(options.data, scratch))
        return Usage("cannot make a private working folder");
    const int code = Play(options);
    std::error_code ec;
    std::filesystem::remove_all(scratch, ec);
    return code;
}
