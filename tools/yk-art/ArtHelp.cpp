#include <cmath>

#include "Art.h"
#include "Noise.h"
#include "Sdf.h"
#include "TextArt.h"
#include "app/Display.h"

namespace {

TextStyle Style(int size, Rgb top, Rgb bottom, float outline = 0)
{
    TextStyle st;
    st.size = size;
    st.top = top;
    st.bottom = bottom;
    st.outline = outline;
    st.shadow = size > 20 ? 3 : 1.5f;
    return st;
}

const TextStyle kHeading = Style(26, Hex(0xffe8a0), Hex(0xf0a040), 1.5f);
const TextStyle kKey = Style(17, Hex(0xffffff), Hex(0xd0e0ff));
const TextStyle kText = Style(16, Hex(0xe8e0e8), Hex(0xc8c0d0));

void Panel(Canvas& c, Box b)
{
    auto box = [b](V2 p) {
        return SdBox(p, {(b.x0 + b.x1) / 2.0f, (b.y0 + b.y1) / 2.0f}, {(b.x1 - b.x0) / 2.0f, (b.y1 - b.y0) / 2.0f}, 16);
    };
    c.Darken(box, 0.6f, 6);
    c.Fill([&](V2 p) { return std::fabs(box(p)) - 1; }, Hex(0xc06070), 0.8f);
}

void Controls(Canvas& c)
{
    Panel(c, {40, 120, 500, 560});
    DrawTextLeft(c, "Controls", 64, 136, kHeading);
    const struct { const char* key; const char* what; } rows[] = {
        {"Arrow keys", "Fire a laser pulse from that wall:"},
        {"d-pad, stick", "the puck is pushed away from it"},
        {"W A S D", "The same; in a two-player game"},
        {"second pad", "they steer player 2"},
        {"P, Start", "Pause and resume"},
        {"Space, Y", "Restart the level"},
        {"Esc, Back", "Back to this screen"},
        {"F1", "This help"},
        {"F2", "Settings: screen, keys, pause"},
        {"Mouse", "Pull the options bar down from"},
        {"right stick", "the top edge; click a body system"},
        {"Laser-zap", "The puck follows the mouse;"},
        {"", "click to zap what it touches"},
        {"Crossfire", "The mouse pointer repels the puck;"},
        {"", "the buttons hold back its beams"},
    };
    float y = 182;
    for (const auto& r : rows) {
        DrawTextLeft(c, r.key, 64, y, kKey);
        DrawTextLeft(c, r.what, 190, y, kText);
        y += 25;
    }
}

void PowerUps(Canvas& c)
{
    Panel(c, {524, 120, 984, 560});
    DrawTextLeft(c, "Power-ups", 548, 136, kHeading);
    const char* const what[8] = {
        "Magnet: pulls eggs and parasites",
        "Disrupt: every egg hatches now",
        "Grow: double reach, wide laser",
        "Acid: your trail kills parasites",
        "Speed: stronger laser pushes",
        "Freeze: parasites stop, eggs wait",
        "Precise: hold keys for fine pushes",
        "Bomb: blasts everything nearby",
    };
    for (int i = 0; i < 8; ++i) {
        const float y = 180 + i * 42.0f;
        c.Draw(PowerUpIcon(i + 1), 552, int(y));
        DrawTextLeft(c, what[i], 598, y + 7, kText);
    }
    DrawTextLeft(c, "Golden eggs hold them: smash one open!", 548, 526, kKey);
}

void Goal(Canvas& c)
{
    Panel(c, {40, 584, 984, 712});
    c.Draw(PlainEgg(), 64, 606);
    c.Draw(AlienFrame(0, 1), 64, 650);
    DrawTextLeft(c, "Smash alien eggs (+2) and squash parasites (+1) before they crawl to the edge", 110, 612, kText);
    DrawTextLeft(c, "of the arena and infect the patient (-3). Keep clear of fire (-10), nerves and", 110, 638, kText);
    DrawTextLeft(c, "teeth (-15). Reach the points needed to win the level; bosses must be worn down.", 110, 664, kText);
}

// A full screen of its own: the nervous system's background dimmed, with a
// glowing title (the help and settings screens).
Canvas Backdrop(uint32_t seed, const char* heading, float y)
{
    Canvas c = SystemBackground(kNervous, kScreenW, kScreenH, seed);
    for (int py = 0; py < c.H(); ++py)
        for (int px = 0; px < c.W(); ++px) {
            Px& p = c.At(px, py);
            p.r *= 0.7f, p.g *= 0.7f, p.b *= 0.7f;
        }
    TextStyle title = Style(56, Hex(0xffffff), Hex(0xffc060), 3);
    title.glow = 10;
    title.glowColour = Hex(0x8040ff);
    DrawTextCentred(c, heading, kScreenW / 2.0f, y, title);
    return c;
}

} // namespace

void AddHelp(ImageSet& set)
{
    Canvas c = Backdrop(4242, "How to play", 34);
    Controls(c);
    PowerUps(c);
    Goal(c);
    DrawTextCentred(c, "Press F1, Space, Enter, Escape, click, or a pad's A, B, Start or Back to return", kScreenW / 2.0f, 728, kKey);
    set.AddPicture("help", "HELP_IMG", c);
}

// The settings screen's backdrop: its title and one panel; the game writes
// the rows over it.
void AddSettingsBackdrop(ImageSet& set)
{
    Canvas c = Backdrop(4243, "Settings", 20);
    Panel(c, {96, 96, 928, 700});
    set.AddPicture("settings", "SETTINGS_IMG", c);
}
