#pragma once
#include <optional>
#include <span>

// The arithmetic of showing the 1024 x 768 frame on a screen of another
// size: where the picture goes, how large a window is, and how a pointer
// position on the screen maps back to the frame. Plain functions, no
// library calls, so every edge can be pinned by a table.
namespace ScreenFit {

struct SRect {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const SRect&) const = default;
};

struct SPoint {
    int x = 0, y = 0;
    bool operator==(const SPoint&) const = default;
};

enum class EScaling {
    kFill,  // the largest 4:3 picture that fits
    kWhole, // the largest whole multiple that fits
};

// The picture's rectangle in an output of outW x outH: 4:3, centred, the
// rest black bars. Whole scaling falls back to fill on an output smaller
// than one frame, which it could not show at all.
SRect FitPicture(int outW, int outH, int frameW, int frameH, EScaling scaling);

// The largest whole factor whose window of frameW x frameH times it fits
// the usable area; 1 when not even that fits (the window then overhangs,
// as a plain 1024 x 768 window always has).
int AutoWindowScale(int usableW, int usableH, int frameW, int frameH);

// A window of the frame's size times scale, rounded to whole pixels.
SPoint ScaledSize(int frameW, int frameH, double scale);

// A position on the output to a frame pixel: the one under the output
// pixel's centre; a position over a bar counts at the nearest edge.
SPoint OutputToFrame(int ox, int oy, const SRect& picture, int frameW, int frameH);

// A frame pixel to the output pixel under its centre, so that (at a scale
// of 1 or more) OutputToFrame brings it back.
SPoint FrameToOutput(int fx, int fy, const SRect& picture, int frameW, int frameH);

// The monitor to open on: the one under the pointer, else the primary
// one, else the first. -1 when there is none.
int ChooseMonitor(std::span<const SRect> monitors, int primary, std::optional<SPoint> pointer);

// A window to open: where on the root window and how large, and where the
// frame shows inside it.
struct SWindowPlan {
    SRect window;
    SRect picture;
    bool operator==(const SWindowPlan&) const = default;
};
// Fullscreen: the whole monitor, the picture fitted into it.
SWindowPlan PlanFullscreen(const SRect& monitor, int frameW, int frameH, EScaling scaling);
// A window of the frame's size times scale (0: the automatic scale for the
// usable area), centred in that area; the picture fills it.
SWindowPlan PlanWindow(const SRect& usable, int frameW, int frameH, double scale);

} // namespace ScreenFit
