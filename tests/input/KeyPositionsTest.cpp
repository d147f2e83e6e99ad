#include <allegro.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "input/KeyNames.h"
#include "input/KeyPositions.h"

namespace {

// What three layouts print on the keys of the game's default bindings and
// their neighbours, by X keycode (evdev): the library names keys by these
// labels, which scatters W/A/S/D on AZERTY and swaps Y and Z on QWERTZ.
struct SKeyLabels {
    int keycode;
    const char *us, *fr, *de;
};
const SKeyLabels kLabels[] = {
    {24, "Q", "A", "Q"}, {25, "W", "Z", "W"}, {26, "E", "E", "E"}, {29, "Y", "Y", "Z"},
    {33, "P", "P", "P"}, {38, "A", "Q", "A"}, {39, "S", "S", "S"}, {40, "D", "D", "D"},
    {47, "SEMICOLON", "M", ""}, {52, "Z", "W", "Y"}, {58, "M", "COMMA", "M"}, {65, "SPACE", "SPACE", "SPACE"},
    {111, "UP", "UP", "UP"}, {113, "LEFT", "LEFT", "LEFT"}, {9, "ESC", "ESC", "ESC"},
};

TEST(KeyPositionsTest, EachPlaceIsTheSameGameKeyOnUsFrenchAndGermanLayouts)
{
    int moved = 0; // keys the labels would have moved: the case the table exists for
    for (const SKeyLabels& k : kLabels) {
        SCOPED_TRACE(k.keycode);
        const int us = KeyNames::Key(k.us);
        ASSERT_GT(us, 0);
        EXPECT_EQ(KeyPositions::KeyAt(k.keycode), us) << "the key in the US key's place";
        for (const char* label : {k.fr, k.de})
            moved += KeyNames::Key(label) != us;
    }
    EXPECT_GE(moved, 8);
    // W/A/S/D of player 2 are the keycodes 25, 38, 39, 40 on every layout.
    EXPECT_EQ(KeyPositions::KeycodeOf(KEY_W), 25);
    EXPECT_EQ(KeyPositions::KeycodeOf(KEY_A), 38);
    EXPECT_EQ(KeyPositions::KeycodeOf(KEY_S), 39);
    EXPECT_EQ(KeyPositions::KeycodeOf(KEY_D), 40);
}

TEST(KeyPositionsTest, NoPlaceHoldsTwoKeysAndNoKeyTwoPlaces)
{
    std::set<int> keys;
    int places = 0;
    for (int keycode = 0; keycode < 256; ++keycode)
        if (const int key = KeyPositions::KeyAt(keycode)) {
            ++places;
            EXPECT_TRUE(keys.insert(key).second) << "key " << key << " twice, again at " << keycode;
            EXPECT_EQ(KeyPositions::KeycodeOf(key), keycode);
            EXPECT_NE(KeyNames::Name(key), nullptr) << "a key settings.ini cannot name, at " << keycode;
        }
    EXPECT_GE(places, 90);
}

TEST(KeyPositionsTest, TheLibrarysOverrideIsAnsweredFromTheTableOnlyWhileFollowing)
{
    set_config_data("", 0);
    EXPECT_EQ(get_config_int("xkeymap", "keycode25", -1), -1);
    KeyPositions::Follow();
    EXPECT_EQ(get_config_int("xkeymap", "keycode25", -1), KEY_W);
    EXPECT_EQ(get_config_int("xkeymap", "keycode38", -1), KEY_A);
    EXPECT_EQ(get_config_int("xkeymap", "keycode93", -1), -1) << "a place the table leaves to the library";
    EXPECT_EQ(get_config_int("xkeymap", "keycode25x", -1), -1);
    EXPECT_EQ(get_config_int("xkeymap", "other", -1), -1);
    set_config_string("xkeymap", "keycode25", "1"); // nothing a file or a write can change
    EXPECT_EQ(get_config_int("xkeymap", "keycode25", -1), KEY_W);
    KeyPositions::Unfollow();
    EXPECT_EQ(get_config_int("xkeymap", "keycode25", -1), -1);
    set_config_file("release");
}

TEST(KeyNamesTest, NamesReadInAnyCaseAndUnknownOnesAreNone)
{
    const struct {
        const char* name;
        int key;
    } cases[] = {{"W", KEY_W}, {"w", KEY_W}, {"space", KEY_SPACE}, {"ESC", KEY_ESC}, {"Pad5", KEY_5_PAD},
                 {"", -1},     {"WW", -1},   {"SPAC", -1},        {"F13", -1},     {"KEY_W", -1}};
    for (const auto& c : cases)
        EXPECT_EQ(KeyNames::Key(c.name), c.key) << c.name;
    for (int key = 1; key < KEY_MAX; ++key) {
        const char* name = KeyNames::Name(key);
        if (name) {
            EXPECT_EQ(KeyNames::Key(name), key) << name;
        }
    }
}

} // namespace
