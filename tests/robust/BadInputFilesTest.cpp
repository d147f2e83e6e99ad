// Broken files a player can leave behind (missing, empty, garbage, cut
// short, huge, a folder or a dangling link in the file's place), each
// given to the real reader with the outcome it must have: the documented
// fallback and at most one line on stderr naming the file.
#include <allegro.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Display.h"
#include "app/GameHome.h"
#include "assets/Asset.h"
#include "input/Controls.h"
#include "play/HighScores.h"
#include "play/StatePlay.h"
#include "support/FakeInputDrivers.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

enum class EBad { kMissing, kEmpty, kGarbage, kTruncated, kHuge, kFolder, kDanglingLink };

const char* Name(EBad bad)
{
    static const char* const kNames[] = {"missing", "empty", "garbage", "truncated", "huge", "folder", "dangling link"};
    return kNames[static_cast<int>(bad)];
}

constexpr EBad kEveryBad[] = {EBad::kMissing, EBad::kEmpty,  EBad::kFolder,
                              EBad::kGarbage, EBad::kTruncated, EBad::kHuge, EBad::kDanglingLink};

const std::string kGarbage = std::string("\x89\xff\0[[[=\x01 \xfe]\n==\n", 16);

int Lines(const std::string& s) { return static_cast<int>(std::count(s.begin(), s.end(), '\n')); }

class BadInputFilesTest : public TempDirTest {
protected:
    // Puts the bad kind of file at path; a good file's text gives the truncated one.
    // Returns the bytes written, if a plain file was.
    std::string Make(const std::string& path, EBad bad, const std::string& good)
    {
        fs::create_directories((dir / path).parent_path());
        fs::remove_all(dir / path);
        std::string text;
        switch (bad) {
        case EBad::kMissing:
            return {};
        case EBad::kEmpty:
            break;
        case EBad::kGarbage:
            text = kGarbage;
            break;
        case EBad::kTruncated:
            text = good.substr(0, good.size() * 2 / 3);
            break;
        case EBad::kHuge:
            text = std::string(4 << 20, 'x') + "\n" + good;
            break;
        case EBad::kFolder:
            WriteFile(path + "/keep", "x"); // cannot be removed in passing
            return {};
        case EBad::kDanglingLink:
            fs::create_symlink("no/such/file", dir / path);
            return {};
        }
        WriteFile(path, text);
        return text;
    }
    // The same kind of thing is still there, untouched.
    void ExpectLeftAsItWas(const std::string& path, EBad bad, const std::string& bytes)
    {
        switch (bad) {
        case EBad::kMissing:
            EXPECT_FALSE(fs::exists(fs::symlink_status(dir / path))) << path << " was created";
            break;
        case EBad::kFolder:
            EXPECT_TRUE(fs::exists(dir / path / "keep"));
            break;
        case EBad::kDanglingLink:
            EXPECT_TRUE(fs::is_symlink(dir / path));
            EXPECT_FALSE(fs::exists(dir / path));
            break;
        default:
            EXPECT_TRUE(ReadFile(path) == bytes) << path << " was rewritten";
        }
    }
};

// control-1.ykd: whatever is wrong with it, keyboard and mouse come on (so
// Escape always works), one line says so, and the file is never written.
TEST_F(BadInputFilesTest, ControlFileThatCannotBeUsedTurnsKeyboardAndMouseOn)
{
    const std::string good = "[controlTypes]\nuseKeyboard = 1\nuseMouse = 1\n";
    struct Row {
        EBad bad;
        const char* text; // instead of the made file, when given
    };
    std::vector<Row> rows;
    for (EBad bad : kEveryBad)
        rows.push_back({bad, nullptr});
    rows.push_back({EBad::kGarbage, "[controlTypes]\nuseKeyboard = yes\nuseMouse = on\n"});
    rows.push_back({EBad::kGarbage, "[somethingElse]\nuseKeyboard = 1\n"});
    rows.push_back({EBad::kGarbage, "[controlTypes]\nuseKeyboard =\nuseMouse =\n"});
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(Name(row.bad)) + (row.text ? std::string(": ") + row.text : ""));
        std::string bytes = Make("data/control-1.ykd", row.bad, good);
        if (row.text) {
            bytes = row.text;
            WriteFile("data/control-1.ykd", bytes);
        }
        CControls controls;
        CaptureStderr();
        {
            CFakeDrivers drivers;
            controls.Init();
        }
        const std::string said = GetCapturedStderr();
        EXPECT_EQ(controls.useKeyboard, 1);
        EXPECT_EQ(controls.useMouse, 1);
        EXPECT_EQ(controls.numJoysticks, 0);
        if (row.bad == EBad::kHuge && !row.text) { // a long line of noise, then the good keys
            EXPECT_EQ(said, "");
        } else {
            EXPECT_THAT(said, HasSubstr("data/control-1.ykd: missing or unreadable"));
            EXPECT_THAT(said, HasSubstr("keyboard and mouse are on"));
            EXPECT_EQ(Lines(said), 1);
        }
        ExpectLeftAsItWas("data/control-1.ykd", row.bad, bytes);
    }
}

// score.yk. A file that is there but cannot be read turns saving off and is
// never overwritten; one whose checksum fails is kept as score.yk.bad before
// the table is reset; a missing one starts a fresh table quietly.
TEST_F(BadInputFilesTest, ScoreFileIsNeverLostByAccident)
{
    const std::string good = "[scores]\n1 = 100\n2 = 50\n35 = 1\ndontcheat = 1105\n";
    struct Row {
        EBad bad;
        const char* said; // "" = nothing
        bool savingOn;
        int entry1; // what the table holds after reading
    };
    const Row rows[] = {
        {EBad::kMissing, "", true, 0},
        {EBad::kEmpty, "score.yk: checksum does not match; best scores reset, the old file kept as score.yk.bad", true, 0},
        {EBad::kGarbage, "score.yk: checksum does not match", true, 0},
        {EBad::kTruncated, "score.yk: checksum does not match", true, 0},
        {EBad::kHuge, "", true, 100}, // a long line of noise, then the good table,
        {EBad::kFolder, "score.yk: cannot be read; best scores are not saved this run", false, 0},
        {EBad::kDanglingLink, "score.yk: cannot be read", false, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(Name(row.bad));
        fs::remove(dir / "score.yk.bad");
        const std::string bytes = Make("score.yk", row.bad, good);
        CStatePlay play;
        play.level = -1;
        CaptureStderr();
        play.LoadScores();
        const std::string said = GetCapturedStderr();
        EXPECT_EQ(play.bestScores[1], row.entry1);
        EXPECT_EQ(std::count(std::begin(play.bestScores), std::end(play.bestScores), 0),
                  row.entry1 ? kBestScoreSlots - 3 : kBestScoreSlots);
        if (*row.said) {
            EXPECT_THAT(said, HasSubstr(row.said));
            EXPECT_EQ(Lines(said), 1);
        } else {
            EXPECT_EQ(said, "");
        }
        const bool mismatch = *row.said && row.savingOn;
        EXPECT_EQ(fs::exists(dir / "score.yk.bad"), mismatch);
        if (mismatch) {
            EXPECT_TRUE(ReadFile("score.yk.bad") == bytes) << "score.yk.bad differs from the old file";
        }

        play.bestScores[2] = 7;
        play.SaveScores();
        if (row.savingOn) {
            set_config_file("score.yk");
            EXPECT_EQ(get_config_int("scores", "2", -1), 7);
            EXPECT_EQ(get_config_int("scores", "dontcheat", -1), CStatePlay::ScoreChecksum(play.bestScores));
            set_config_file("");
        } else {
            ExpectLeftAsItWas("score.yk", row.bad, bytes);
        }
    }
}

// Permissions do not stop root, so this row runs only for a player.
TEST_F(BadInputFilesTest, ScoreFileWithoutReadPermissionIsNeverOverwritten)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads a file of mode 000";
    const std::string good = "[scores]\n1 = 100\ndontcheat = 300\n";
    WriteFile("score.yk", good);
    fs::permissions(dir / "score.yk", fs::perms::none);
    CStatePlay play;
    play.level = -1;
    CaptureStderr();
    play.LoadScores();
    EXPECT_THAT(GetCapturedStderr(), HasSubstr("score.yk: cannot be read"));
    play.bestScores[1] = 9;
    play.SaveScores();
    fs::permissions(dir / "score.yk", fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ReadFile("score.yk"), good);
    EXPECT_FALSE(fs::exists(dir / "score.yk.bad"));
}

// Allegro reads a folder as a file of the folder's size into memory it never
// fills; blocks of about that size, just freed, make what it parses certain.
void LeaveAnImageSetInFreedMemory(const fs::path& folder)
{
    struct stat st {};
    ASSERT_EQ(stat(folder.c_str(), &st), 0);
    const std::string text = "[guidelines]\ntype = image\n";
    std::vector<void*> blocks;
    for (off_t n = std::max<off_t>(st.st_size - 8, 1); n <= st.st_size + 8; ++n) {
        char* b = static_cast<char*>(std::malloc(static_cast<size_t>(n) + 1));
        for (off_t i = 0; i < n; ++i)
            b[i] = text[static_cast<size_t>(i) % text.size()];
        b[n] = '\0';
        blocks.push_back(b);
    }
    for (void* b : blocks)
        std::free(b);
}

// A definition file that is not there or says nothing loads an empty set
// (whether that is worth a line is up to the set's reader: at most one).
TEST_F(BadInputFilesTest, DefinitionFileThatCannotBeUsedLoadsAnEmptySet)
{
    const std::string good = "[guidelines]\ntype = image\nassetdir = gfx\ndefaultext = bmp\nasset1 = plain\n"
                             "[plain]\ntag = PLAIN_IMG\n";
    struct Row {
        EBad bad;
        int type;
        const char* said; // when something must be said
    };
    const Row rows[] = {
        {EBad::kMissing, CAssetBitmap::kTypeUnknown, nullptr},
        {EBad::kEmpty, CAssetBitmap::kTypeUnknown, nullptr},
        {EBad::kGarbage, CAssetBitmap::kTypeUnknown, nullptr},
        {EBad::kTruncated, CAssetBitmap::kTypeImage, nullptr}, // cut before its first asset
        // The good list after a long line of noise; its image is not in the fixture.
        {EBad::kHuge, CAssetBitmap::kTypeImage, "image PLAIN_IMG could not be loaded from \"gfx/plain.bmp\""},
        {EBad::kFolder, CAssetBitmap::kTypeUnknown, nullptr},
        {EBad::kDanglingLink, CAssetBitmap::kTypeUnknown, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(Name(row.bad));
        const std::string bytes = Make("data/set.ykd", row.bad, good);
        CAssetBitmap bitmaps;
        bitmaps.Init("set");
        if (row.bad == EBad::kFolder)
            LeaveAnImageSetInFreedMemory(dir / "data/set.ykd");
        CaptureStderr();
        EXPECT_EQ(bitmaps.LoadDefinitions(), 0);
        const std::string said = GetCapturedStderr();
        EXPECT_EQ(bitmaps.Get("PLAIN_IMG"), nullptr);
        EXPECT_EQ(bitmaps.GetType(), row.type);
        if (row.said) {
            EXPECT_THAT(said, HasSubstr(row.said));
        }
        EXPECT_LE(Lines(said), 1);
        ExpectLeftAsItWas("data/set.ykd", row.bad, bytes);
        bitmaps.ReleaseAll();
    }
}

// ---- images whose header claims a size no one could allocate ----

uint32_t Crc32(const std::string& bytes)
{
    uint32_t crc = 0xffffffffu;
    for (unsigned char c : bytes) {
        crc ^= c;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::string Be32(uint32_t v) { return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; }
std::string Be16(uint32_t v) { return {char(v >> 8), char(v)}; }
std::string Le16(uint32_t v) { return {char(v), char(v >> 8)}; }
std::string Le32(uint32_t v) { return Le16(v) + Le16(v >> 16); }

std::string PngChunk(const std::string& type, const std::string& data)
{
    return Be32(static_cast<uint32_t>(data.size())) + type + data + Be32(Crc32(type + data));
}

// A well-formed PNG (valid CRCs) of 657 bytes whose IHDR claims w x h.
std::string HugePng(uint32_t w, uint32_t h)
{
    const std::string ihdr = Be32(w) + Be32(h) + std::string("\x08\x02\x00\x00\x00", 5); // 8-bit RGB
    const std::string idat = std::string("\x78\x9c", 2) + std::string(598, '\0');
    return std::string("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", ihdr) + PngChunk("IDAT", idat) +
           PngChunk("IEND", "");
}

std::string HugeJpeg(uint32_t w, uint32_t h)
{
    // Start of image, an APP0 segment to walk past, then a baseline frame header.
    return std::string("\xff\xd8\xff\xe0", 4) + Be16(16) + std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14) +
           std::string("\xff\xc0", 2) + Be16(17) + "\x08" + Be16(h) + Be16(w) + "\x03" + std::string(9, '\x11') +
           std::string(200, '\0');
}

std::string HugeBmp(uint32_t w, int32_t h)
{
    return "BM" + Le32(200) + Le32(0) + Le32(54) + Le32(40) + Le32(w) + Le32(static_cast<uint32_t>(h)) + Le16(1) +
           Le16(24) + std::string(200, '\0');
}

std::string HugePcx(uint32_t w, uint32_t h)
{
    return std::string("\x0a\x05\x01\x08", 4) + Le16(0) + Le16(0) + Le16(w - 1) + Le16(h - 1) + std::string(200, '\0');
}

TEST_F(BadInputFilesTest, ImageClaimingAnImpossibleSizeIsRefusedBeforeDecoding)
{
    struct Row {
        const char* file;
        std::string bytes;
        const char* claim;
    };
    const Row rows[] = {
        {"huge.png", HugePng(65536, 32768), "65536x32768"},
        {"wide.png", HugePng(20000, 10), "20000x10"},        // too wide, though small
        {"square.png", HugePng(9000, 9000), "9000x9000"},    // 81 Mpixel
        {"huge.jpg", HugeJpeg(65535, 65535), "65535x65535"},
        {"huge.bmp", HugeBmp(100000, -100000), "100000x100000"}, // stored top down
        {"huge.pcx", HugePcx(65535, 40000), "65535x40000"},
    };
    ASSERT_EQ(rows[0].bytes.size(), 657u);
    std::string def = "[guidelines]\ntype = image\nassetdir = gfx\n", sections;
    for (size_t i = 0; i < std::size(rows); ++i) {
        const std::string name = rows[i].file;
        const std::string n = std::to_string(i + 1);
        def += "asset" + n + " = a" + n + "\n";
        sections += "[a" + n + "]\ntag = T" + n + "_IMG\nfilenameoverride = " + name.substr(0, name.find('.')) +
               "\next = " + name.substr(name.find('.') + 1) + "\n";
        WriteFile("gfx/" + name, rows[i].bytes);
    }
    // A picture just inside the limits still loads.
    BITMAP* fine = create_bitmap(4, 4);
    clear_to_color(fine, makecol(1, 2, 3));
    save_bitmap((dir / "gfx/fine.bmp").c_str(), fine, nullptr);
    destroy_bitmap(fine);
    def += "asset" + std::to_string(std::size(rows) + 1) + " = fine\n";
    sections += "[fine]\ntag = FINE_IMG\next = bmp\n";
    WriteFile("data/set.ykd", def + sections);

    CAssetBitmap bitmaps;
    bitmaps.Init("set");
    CaptureStderr();
    bitmaps.LoadDefinitions();
    const std::string said = GetCapturedStderr();
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].file);
        const std::string tag = "T" + std::to_string(i + 1) + "_IMG";
        EXPECT_EQ(bitmaps.Get(tag), nullptr);
        EXPECT_THAT(said, HasSubstr("image " + tag + " could not be loaded from \"gfx/" + rows[i].file +
                                    "\": its header claims " + rows[i].claim + " pixels"));
    }
    EXPECT_EQ(Lines(said), static_cast<int>(std::size(rows)));
    EXPECT_NE(bitmaps.Get("FINE_IMG"), nullptr);
    bitmaps.ReleaseAll();
}

// ---- the data folder the program starts from ----

TEST_F(BadInputFilesTest, UnusableDataFolderIsNamedInOneLine)
{
    struct Row {
        const char* name;
        void (*make)(const fs::path& data);
        const char* problem; // "" = usable
    };
    const Row rows[] = {
        {"missing", [](const fs::path&) {}, "is missing"},
        {"dangling link", [](const fs::path& d) { fs::create_directory_symlink("no/such/folder", d); },
         "is a link that leads nowhere"},
        {"a file", [](const fs::path& d) { std::ofstream(d) << "x"; }, "is not a folder"},
        {"empty folder", [](const fs::path& d) { fs::create_directory(d); }, "holds no definition files"},
        {"no definition files", [](const fs::path& d) { fs::create_directories(d / "gfx"); std::ofstream(d / "a.png"); },
         "holds no definition files"},
        {"control file only", [](const fs::path& d) { fs::create_directory(d); std::ofstream(d / "control-1.ykd"); },
         ""},
        {"link to data", [](const fs::path& d) {
             fs::create_directories(d.parent_path() / "real");
             std::ofstream(d.parent_path() / "real" / "bitmap-1.ykd");
             fs::create_directory_symlink("real", d);
         }, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all(dir / "data");
        fs::remove_all(dir / "real");
        row.make(dir / "data");
        std::string error;
        const bool usable = GameHome::CheckData("data", error);
        EXPECT_EQ(usable, !*row.problem);
        if (*row.problem) {
            EXPECT_THAT(error, HasSubstr((fs::canonical(dir) / "data").string() + " " + row.problem));
            EXPECT_EQ(error.find('\n'), std::string::npos);
        }
    }
}

} // namespace

namespace {

// Allegro's configuration reader spins forever on 0xFD followed by five
// continuation bytes (0xFE and 0xFF lose their line). Every reader of the
// game's text files must come back with the keys after such a line; a
// reader that hands the bytes to Allegro hangs here until the test's time
// runs out.
class TamperedBytesTest : public TempDirTest {};

TEST_F(TamperedBytesTest, EveryTextFileReaderReadsPastBytesThatBeginNoCharacter)
{
    const std::string bad = "junk = 1\xFD\xBA\xBA\xBA\xBA\xBA\nmore = \xFE\xFF\n";

    WriteFile("data/control-1.ykd", "[controlTypes]\n" + bad + "useKeyboard = 3\nuseMouse = 5\n");
    CControls controls;
    {
        CFakeDrivers drivers;
        controls.Init();
    }
    EXPECT_EQ(controls.useKeyboard, 3);
    EXPECT_EQ(controls.useMouse, 5);

    WriteFile("data/x.ykd", "[guidelines]\n" + bad + "type = sound\n");
    EXPECT_EQ(CAssetBitmap::DefinitionType("x"), CAssetBitmap::kTypeSound);

    WriteFile("data/states/tampered.yks", "[include]\nimageSet=noLoad\n" + bad + "[action]\n" + bad +
                                              "cvar_crackRadius = 17\n");
    CStatePlay play;
    EXPECT_EQ(play.LoadState("tampered", 0), 0);
    EXPECT_EQ(play.cvar_crackRadius, 17);

    WriteFile("score.yk", "[scores]\n" + bad + "4 = 9\ndontcheat = 252\n");
    int32_t scores[kBestScoreSlots] = {};
    EXPECT_EQ(CHighScores::Read(scores), CHighScores::EReadResult::kRead);
    EXPECT_EQ(scores[4], 9);

    WriteFile("settings.ini", "[game]\n" + bad + "fullscreen = 0\n");
    CDisplay display;
    EXPECT_FALSE(display.ReadSettings());
    // Written back whole, the tampered bytes as '?', so the next run reads it too.
    EXPECT_FALSE(display.ReadSettings());
}

} // namespace
