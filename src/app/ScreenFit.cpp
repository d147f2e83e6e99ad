#include "app/ScreenFit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace ScreenFit {

SRect FitPicture(int outW, int outH, int frameW, int frameH, EScaling scaling)
{
    if (outW <= 0 || outH <= 0 || frameW <= 0 || frameH <= 0)
        return {};
    SRect r;
    const int whole = std::min(outW / frameW, outH / frameH);
    if (scaling == EScaling::kWhole && whole >= 1) {
        r.w = frameW * whole;
        r.h = frameH * whole;
    } else if (static_cast<int64_t>(outW) * frameH <= static_cast<int64_t>(outH) * frameW) {
        // Width-bound: bars above and below.
        r.w = outW;
        r.h = static_cast<int>((static_cast<int64_t>(outW) * frameH + frameW / 2) / frameW);
    } else {
        r.h = outH;
        r.w = static_cast<int>((static_cast<int64_t>(outH) * frameW + frameH / 2) / frameH);
    }
    r.w = std::clamp(r.w, 1, outW);
    r.h = std::clamp(r.h, 1, outH);
    r.x = (outW - r.w) / 2;
    r.y = (outH - r.h) / 2;
    return r;
}

int AutoWindowScale(int usableW, int usableH, int frameW, int frameH)
{
    if (frameW <= 0 || frameH <= 0)
        return 1;
    return std::max(1, std::min(usableW / frameW, usableH / frameH));
}

SPoint ScaledSize(int frameW, int frameH, double scale)
{
    return {static_cast<int>(std::lround(frameW * scale)), static_cast<int>(std::lround(frameH * scale))};
}

namespace {

// Along one axis: the frame pixel under the output pixel's centre, as the
// scaler samples it.
int ToFrame(int o, int start, int size, int frame)
{
    if (size <= 0)
        return 0;
    const int64_t inside = static_cast<int64_t>(o) - start;
    const int64_t f = inside < 0 ? -1 : (2 * inside + 1) * frame / (2 * static_cast<int64_t>(size));
    return static_cast<int>(std::clamp<int64_t>(f, 0, frame - 1));
}

// The output pixel under the frame pixel's centre.
int ToOutput(int f, int start, int size, int frame)
{
    const int64_t clamped = std::clamp(f, 0, frame - 1);
    return start + static_cast<int>((2 * clamped + 1) * size / (2 * static_cast<int64_t>(frame)));
}

} // namespace

SPoint OutputToFrame(int ox, int oy, const SRect& picture, int frameW, int frameH)
{
    return {ToFrame(ox, picture.x, picture.w, frameW), ToFrame(oy, picture.y, picture.h, frameH)};
}

SPoint FrameToOutput(int fx, int fy, const SRect& picture, int frameW, int frameH)
{
    return {ToOutput(fx, picture.x, picture.w, frameW), ToOutput(fy, picture.y, picture.h, frameH)};
}

int ChooseMonitor(std::span<const SRect> monitors, int primary, std::optional<SPoint> pointer)
{
    if (pointer)
        for (size_t i = 0; i < monitors.size(); ++i) {
            const SRect& m = monitors[i];
            if (pointer->x >= m.x && pointer->x < m.x + m.w && pointer->y >= m.y && pointer->y < m.y + m.h)
                return static_cast<int>(i);
        }
    if (primary >= 0 && static_cast<size_t>(primary) < monitors.size())
        return primary;
    return monitors.empty() ? -1 : 0;
}

SWindowPlan PlanFullscreen(const SRect& monitor, int frameW, int frameH, EScaling scaling)
{
    return {monitor, FitPicture(monitor.w, monitor.h, frameW, frameH, scaling)};
}

SWindowPlan PlanWindow(const SRect& usable, int frameW, int frameH, double scale)
{
    if (scale <= 0)
        scale = AutoWindowScale(usable.w, usable.h, frameW, frameH);
    const SPoint size = ScaledSize(frameW, frameH, scale);
    // Centred, but never above or left of the usable area: a window larger
    // than it keeps its title bar on the screen.
    const SRect window{usable.x + std::max(0, (usable.w - size.x) / 2), usable.y + std::max(0, (usable.h - size.y) / 2),
                       size.x, size.y};
    return {window, {0, 0, size.x, size.y}};
}

} // namespace ScreenFit
