#include "InputLog.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

constexpr const char* kHeader = "yk-autoplay inputs 1";
constexpr long kMaxTicks = 10'000'000; // guards against a tampered count

std::string EncodeKeys(const std::vector<uint8_t>& keys)
{
    std::ostringstream out;
    for (size_t i = 0; i < keys.size();) {
        size_t j = i;
        while (j < keys.size() && keys[j] == keys[i])
            ++j;
        out << (i ? "," : "") << (j - i) << ':' << static_cast<int>(keys[i]);
        i = j;
    }
    return out.str();
}

bool DecodeKeys(const std::string& text, std::vector<uint8_t>& keys)
{
    std::istringstream in(text);
    std::string run;
    while (std::getline(in, run, ',')) {
        long count = 0;
        int mask = 0;
        char colon = 0;
        std::istringstream part(run);
        if (!(part >> count >> colon >> mask) || colon != ':' || count < 1 || mask < 0 || mask > 15 ||
            static_cast<long>(keys.size()) + count > kMaxTicks)
            return false;
        keys.insert(keys.end(), static_cast<size_t>(count), static_cast<uint8_t>(mask));
    }
    return true;
}

} // namespace

bool SaveInputLog(const std::string& path, const std::vector<SLevelResult>& runs)
{
    std::error_code ec; // a fresh build has no output folder yet
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    std::ofstream out(path);
    out << kHeader << '\n';
    for (const SLevelResult& r : runs)
        out << "level " << r.choice.name << " seed " << r.choice.seed << " ticks " << r.ticks << " points " << r.points
            << " won " << (r.won ? 1 : 0) << " keys " << EncodeKeys(r.keys) << '\n';
    out.flush();
    return static_cast<bool>(out);
}

bool LoadInputLog(const std::string& path, std::vector<SLevelResult>& runs, std::string& error)
{
    std::ifstream in(path);
    std::string line;
    if (!in || !std::getline(in, line) || line != kHeader) {
        error = "not a recording of this program";
        return false;
    }
    for (int number = 2; std::getline(in, line); ++number) {
        if (line.empty())
            continue;
        std::istringstream fields(line);
        std::string w[7], name, keys;
        SLevelResult r;
        int won = 0;
        fields >> w[0] >> name >> w[1] >> r.choice.seed >> w[2] >> r.ticks >> w[3] >> r.points >> w[4] >> won >> w[5] >>
            keys;
        const bool shape = fields && w[0] == "level" && w[1] == "seed" && w[2] == "ticks" && w[3] == "points" &&
                           w[4] == "won" && w[5] == "keys";
        const unsigned seed = r.choice.seed;
        if (!shape || !SLevelChoice::Parse(name, r.choice) || !DecodeKeys(keys, r.keys) ||
            static_cast<long>(r.keys.size()) != r.ticks) {
            error = "line " + std::to_string(number) + " is damaged";
            return false;
        }
        r.choice.seed = seed; // the recorded seed wins over today's default
        r.won = won != 0;
        runs.push_back(std::move(r));
    }
    return true;
}
