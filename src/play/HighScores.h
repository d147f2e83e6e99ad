#pragma once
#include <cstdint>

// The high-score file "score.yk" in the working folder: the play state's 39
// best results (kBestScoreSlots), one key each in section "scores", guarded
// by a checksum under "dontcheat".
class CHighScores {
public:
    static constexpr const char* kFile = "score.yk";
    // Where a file whose checksum fails is kept before the table is reset.
    static constexpr const char* kBadFile = "score.yk.bad";

    enum class EReadResult {
        kRead,       // the table as stored
        kMissing,    // no file: an empty table
        kMismatch,   // the checksum does not match the entries
        kUnreadable, // something is there that cannot be read: never overwrite it
    };

    // Weighted sum of the table, in signed 32-bit arithmetic that wraps.
    static int32_t Checksum(const int32_t* scores);
    // Reads the table; every entry is 0 unless the result is kRead or kMismatch.
    static EReadResult Read(int32_t* scores);
    // Copies the file to kBadFile; false when no copy could be made.
    static bool KeepBadFile();
    // Writes the table; a folder that cannot be written is reported once.
    static void Write(const int32_t* scores);
};
