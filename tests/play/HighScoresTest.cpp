#include <allegro.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "play/StatePlay.h"
#include "support/TempDir.h"

namespace {

class HighScoresTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        play = std::make_unique<CStatePlay>();
        play->level = -1;
    }
    int Stored(const char* key)
    {
        set_config_file("score.yk");
        const int v = get_config_int("scores", key, -12345);
        set_config_file("");
        return v;
    }
    std::unique_ptr<CStatePlay> play;
};

TEST_F(HighScoresTest, ChecksumWeightsMatchTheFileFormat)
{
    struct Case {
        std::vector<std::pair<int, int>> entries;
        int32_t checksum;
    };
    const Case cases[] = {
        {{}, 0},
        {{{1, 100}, {2, 50}}, 1000},
        {{{35, 1}}, 105},
        {{{36, 1}}, -180},
        {{{0, 12345}}, 0}, // level 1 has weight 0
        {{{3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}}, -15 + 28 + 15 - 30 + 21 + 56},
    };
    for (const Case& c : cases) {
        int32_t scores[kBestScoreSlots] = {};
        for (auto [i, v] : c.entries)
            scores[i] = v;
        EXPECT_EQ(CStatePlay::ScoreChecksum(scores), c.checksum);
    }
    int32_t huge[kBestScoreSlots] = {};
    huge[38] = 0x7fffffff; // wraps instead of overflowing
    EXPECT_EQ(CStatePlay::ScoreChecksum(huge), static_cast<int32_t>(0x7fffffffu * 266u));
}

TEST_F(HighScoresTest, ValidFilesLoadAndTamperedOnesResetEverything)
{
    struct Case {
        const char* file;
        int entry1, entry35;
    };
    const Case cases[] = {
        {"[scores]\ndontcheat = 0\n", 0, 0},
        {"[scores]\n1 = 100\n2 = 50\ndontcheat = 1000\n", 100, 0},
        {"[scores]\n35 = 1\ndontcheat = 105\n", 0, 1},
        {"[scores]\n1 = 200\n2 = 50\n35 = 1\ndontcheat = 1405\n", 200, 1},
        {"[scores]\n1 = 200\n2 = 50\n35 = 1\ndontcheat = 1000\n", 0, 0}, // entry 1 edited
        {nullptr, 0, 0},                                              // missing file
    };
    for (const Case& c : cases) {
        std::filesystem::remove(dir / "score.yk");
        if (c.file)
            WriteFile("score.yk", c.file);
        play->LoadScores();
        EXPECT_EQ(play->bestScores[1], c.entry1) << (c.file ? c.file : "missing");
        EXPECT_EQ(play->bestScores[35], c.entry35);
        EXPECT_EQ(Stored("dontcheat"), CStatePlay::ScoreChecksum(play->bestScores));
    }
    // Reading leaves no file attached.
    play->LoadScores();
    EXPECT_EQ(get_config_int("scores", "dontcheat", -1), -1);
}

TEST_F(HighScoresTest, MissingFileIsWrittenWith39ZeroEntries)
{
    play->LoadScores();
    for (int i = 0; i < kBestScoreSlots; ++i)
        EXPECT_EQ(Stored(std::to_string(i).c_str()), 0) << i;
    EXPECT_EQ(Stored("dontcheat"), 0);
}

TEST_F(HighScoresTest, SaveReplacesTheFileWholeAndLeavesNoTemporary)
{
    WriteFile("score.yk", "[scores]\n5 = 77\ndontcheat = 1155\n");
    play->bestScores[4] = 9;
    play->SaveScores();
    EXPECT_EQ(Stored("4"), 9);
    EXPECT_EQ(Stored("5"), 0);
    EXPECT_EQ(Stored("dontcheat"), 9 * 28);
    EXPECT_FALSE(std::filesystem::exists(dir / "score.yk.tmp"));
}

// Like settings.ini: a score file kept elsewhere behind a link stays there
// (the link stays a link), and lines the table does not own stay too.
TEST_F(HighScoresTest, SaveWritesThroughALinkAndKeepsOtherLines)
{
    WriteFile("kept/real.yk", "# my notes\n[scores]\n5 = 77\ndontcheat = 1155\n\n[mine]\nkey = 3\n");
    std::filesystem::create_symlink("kept/real.yk", "score.yk");
    play->bestScores[4] = 9;
    play->SaveScores();
    EXPECT_TRUE(std::filesystem::is_symlink("score.yk"));
    EXPECT_EQ(Stored("4"), 9);
    EXPECT_EQ(Stored("5"), 0);
    EXPECT_EQ(Stored("dontcheat"), 9 * 28);
    const std::string text = ReadFile("kept/real.yk");
    EXPECT_NE(text.find("# my notes"), std::string::npos) << text;
    EXPECT_NE(text.find("[mine]"), std::string::npos) << text;
    EXPECT_NE(text.find("key = 3"), std::string::npos) << text;
    EXPECT_FALSE(std::filesystem::exists("kept/real.yk.tmp"));
    EXPECT_FALSE(std::filesystem::exists("score.yk.tmp"));
}

TEST_F(HighScoresTest, UnwritableFileKeepsTheOldOneAndTheGameRunning)
{
    // A folder where the temporary file should go makes the write fail even
    // for root, like a read-only folder would.
    WriteFile("score.yk", "[scores]\n1 = 100\ndontcheat = 300\n");
    WriteFile("score.yk.tmp/blocker", "x");
    play->bestScores[1] = 500;
    play->SaveScores();
    EXPECT_EQ(Stored("1"), 100);
    EXPECT_EQ(Stored("dontcheat"), 300);
}

// A folder named score.yk loads as no scores and is left in place.
TEST_F(HighScoresTest, AFolderInTheScoreFilesPlaceReadsAsNoScoresAndStays)
{
    WriteFile("score.yk/keep", "x");
    play->bestScores[3] = 7;
    play->LoadScores();
    for (int32_t s : play->bestScores)
        EXPECT_EQ(s, 0);
    EXPECT_TRUE(std::filesystem::is_directory("score.yk"));
    EXPECT_TRUE(std::filesystem::exists("score.yk/keep"));
}

} // namespace
