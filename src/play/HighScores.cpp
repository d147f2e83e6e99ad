#include "play/HighScores.h"

#include <allegro.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <filesystem>
#include <string>
#include <vector>

#include "app/ConfigFile.h"
#include "app/SettingsFile.h"
#include "play/StatePlay.h"

namespace {

constexpr int kMissingChecksum = -666;

int32_t Weight(int i)
{
    if (i % 3 == 0)
        return -5 * i;
    return (i % 2 == 1) ? 3 * i : 7 * i;
}

std::string Key(int i) { return std::to_string(i); }

} // namespace

int32_t CHighScores::Checksum(const int32_t* scores)
{
    // Signed 32-bit arithmetic that wraps, done in unsigned to stay defined.
    uint32_t sum = 0;
    for (int i = 0; i < kBestScoreSlots; ++i)
        sum += static_cast<uint32_t>(scores[i]) * static_cast<uint32_t>(Weight(i));
    return static_cast<int32_t>(sum);
}

CHighScores::EReadResult CHighScores::Read(int32_t* scores)
{
    namespace fs = std::filesystem;
    std::fill(scores, scores + kBestScoreSlots, 0);
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(kFile, ec)))
        return EReadResult::kMissing;
    // Allegro reads what it cannot open as an empty file, whose checksum
    // fails: that must never pass for a tampered table.
    std::FILE* probe = fs::is_regular_file(kFile, ec) ? std::fopen(kFile, "rb") : nullptr;
    if (!probe)
        return EReadResult::kUnreadable;
    std::fclose(probe);
    OpenConfigFile(kFile);
    for (int i = 0; i < kBestScoreSlots; ++i)
        scores[i] = get_config_int("scores", Key(i).c_str(), 0);
    const int32_t stored = get_config_int("scores", "dontcheat", kMissingChecksum);
    return stored == Checksum(scores) ? EReadResult::kRead : EReadResult::kMismatch;
}

bool CHighScores::KeepBadFile()
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::copy_file(kFile, kBadFile, fs::copy_options::overwrite_existing, ec);
    return !ec;
}

void CHighScores::Write(const int32_t* scores)
{
    // Through the settings writer: whole or not at all (a half-written file
    // would fail its checksum and wipe every best score and unlock), through
    // a link, and keeping lines and sections the table does not own.
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> k;
        for (int i = 0; i < kBestScoreSlots; ++i)
            k.push_back(Key(i));
        return k;
    }();
    std::vector<SettingsFile::Value> values;
    for (int i = 0; i < kBestScoreSlots; ++i)
        values.push_back({"scores", keys[i].c_str(), std::to_string(scores[i])});
    values.push_back({"scores", "dontcheat", std::to_string(Checksum(scores))});
    SettingsFile::Write(kFile, values, "the best scores");
}

// The play state's entry points.
int32_t CStatePlay::ScoreChecksum(const int32_t* scores) { return CHighScores::Checksum(scores); }

void CStatePlay::LoadScores()
{
    using R = CHighScores::EReadResult;
    const R result = CHighScores::Read(bestScores);
    set_config_file("");
    const char* file = CHighScores::kFile;
    switch (result) {
    case R::kRead:
        return;
    case R::kUnreadable:
        std::fprintf(stderr, "%s: cannot be read; best scores are not saved this run and the file is left as it is\n",
                     file);
        scoresSavingOff = true;
        return;
    case R::kMismatch:
        // A player who edited it by hand can still recover the old table.
        if (!CHighScores::KeepBadFile()) {
            std::fprintf(stderr, "%s: checksum does not match and no copy could be kept as %s; "
                                 "best scores are not saved this run\n", file, CHighScores::kBadFile);
            std::fill(std::begin(bestScores), std::end(bestScores), 0);
            scoresSavingOff = true;
            return;
        }
        std::fprintf(stderr, "%s: checksum does not match; best scores reset, the old file kept as %s\n", file,
                     CHighScores::kBadFile);
        break;
    case R::kMissing:
        break;
    }
    std::fill(std::begin(bestScores), std::end(bestScores), 0);
    SaveScoresAndLoadLevel(0);
    set_config_file("");
}

void CStatePlay::SaveScores()
{
    if (!scoresSavingOff)
        CHighScores::Write(bestScores);
}
