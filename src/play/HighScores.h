#pragma once
#include <cstdint>

// The high-score file "score.yk" in the working folder: the play state's 39
// best results (kBestScoreSlots), one key each in section "scores", guarded
// by a checksum under "dontcheat".
class CHighScores {
public:
    static constexpr const char* kFile = "score.yk";

    // Weighted sum of the table, in signed 32-bit arithmetic that wraps.
    static int32_t Checksum(const int32_t* scores);
    // Reads the table; false when the stored checksum does not match it.
    static bool Read(int32_t* scores);
    // Writes the table; a folder that cannot be written is reported once.
    static void Write(const int32_t* scores);
};
