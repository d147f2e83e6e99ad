#include "play/HighScores.h"

#include <allegro.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "play/StatePlay.h"

namespace {

constexpr const char* kScoreTempFile = "score.yk.tmp";
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

bool CHighScores::Read(int32_t* scores)
{
    set_config_file(kFile);
    for (int i = 0; i < kBestScoreSlots; ++i)
        scores[i] = get_config_int("scores", Key(i).c_str(), 0);
    const int32_t stored = get_config_int("scores", "dontcheat", kMissingChecksum);
    return stored == Checksum(scores);
}

void CHighScores::Write(const int32_t* scores)
{
    // Written beside the old file and renamed over it, so that a kill in the
    // middle of a save never leaves a half-written file (which would fail its
    // checksum and wipe every best score and unlock).
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::remove(kScoreTempFile, ec);
    // Something that cannot be removed (a folder with files in it) is never
    // handed to Allegro: its configuration flush can spin forever on one.
    const bool usable = !fs::exists(kScoreTempFile, ec);
    if (usable) {
        set_config_file(kScoreTempFile);
        for (int i = 0; i < kBestScoreSlots; ++i)
            set_config_int("scores", Key(i).c_str(), scores[i]);
        set_config_int("scores", "dontcheat", Checksum(scores));
        set_config_file("");
    }

    static bool reported = false;
    const bool written = usable && fs::is_regular_file(kScoreTempFile, ec) && fs::file_size(kScoreTempFile, ec) > 0;
    if (written)
        fs::rename(kScoreTempFile, kFile, ec);
    if ((!written || ec) && !reported) {
        std::fprintf(stderr, "Could not save the best scores to %s in this folder; playing on without saving\n",
                     kFile);
        reported = true;
    }
}

// The play state's entry points.
int32_t CStatePlay::ScoreChecksum(const int32_t* scores) { return CHighScores::Checksum(scores); }

void CStatePlay::LoadScores()
{
    if (!CHighScores::Read(bestScores)) {
        for (int32_t& s : bestScores)
            s = 0;
        SaveScoresAndLoadLevel(0);
    }
    set_config_file("");
}

void CStatePlay::SaveScores() { CHighScores::Write(bestScores); }
