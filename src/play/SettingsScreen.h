#pragma once
#include <string>
#include <vector>

#include "play/ModalLoop.h"

struct BITMAP;
struct ALFONT_FONT;
struct SSettingRow;

// The settings screen (F2 on the level select): every row of the settings
// table, each changed on the spot, taking effect at once and written to
// settings.ini; the key rows rebound by "press a key"; the keys put back
// by the last line. Keyboard, mouse and pads drive it (d-pad as the
// arrows, A as Enter, B or Back as Escape); Escape leaves.
class CSettingsScreen {
public:
    struct SArt {
        BITMAP* backdrop = nullptr; // SETTINGS_IMG
        ALFONT_FONT* medium = nullptr;
    };

    explicit CSettingsScreen(const SArt& art);

    // Passes until Escape (or the close button); the frames are presented.
    void Run(CModalLoop& loop);
    // One pass over input already polled; false once the player has left.
    bool Pass();
    void Draw() const;

    // The lines: the table's rows in order, then "reset" (row nullptr).
    struct SLine {
        const SSettingRow* row;
        int y; // top, in frame pixels
    };
    const std::vector<SLine>& Lines() const { return lines; }
    int Selected() const { return selected; }
    bool Capturing() const { return capturing; }
    const std::string& Message() const { return message; }

    // A row's value as the screen shows it ("On", "Auto", "No limit", "Z").
    static std::string Shown(const SSettingRow& row, const std::string& value);
    // The value one step on (+1) or back (-1), wrapping at the ends.
    static std::string Stepped(const SSettingRow& row, const std::string& value, int by);

    static constexpr int kLineH = 29;
    static constexpr int kLabelX = 136, kValueX = 888; // left edge of labels, right edge of values
    static constexpr int kValueHotLeft = 600;         // clicks right of this change the value

private:
    void Change(int line, int by);
    void Activate(int line);
    void TakeKey();
    int LineAt(int y) const;
    void Say(const std::string& text);

    SArt art;
    std::vector<SLine> lines;
    int selected = 0;
    bool capturing = false;
    bool left = false;
    std::string message;
    int messageUntil = 0; // hundredths
    int lastPointerY = -1;
};
