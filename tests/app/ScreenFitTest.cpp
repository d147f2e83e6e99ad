#include <gtest/gtest.h>

#include "app/ScreenFit.h"

namespace {

using ScreenFit::EScaling;
using ScreenFit::SPoint;
using ScreenFit::SRect;

TEST(ScreenFitTest, PictureIsTheLargestCentredFourThreeFitOrWholeMultiple)
{
    struct SCase {
        int w, h;
        EScaling scaling;
        SRect picture;
    };
    const SCase cases[] = {
        {1920, 1080, EScaling::kFill, {240, 0, 1440, 1080}},
        {3840, 2160, EScaling::kFill, {480, 0, 2880, 2160}},
        {1280, 800, EScaling::kFill, {106, 0, 1067, 800}},  // 1066.67 rounds up
        {1280, 1024, EScaling::kFill, {0, 32, 1280, 960}},  // bars above and below
        {1366, 768, EScaling::kFill, {171, 0, 1024, 768}},
        {1024, 768, EScaling::kFill, {0, 0, 1024, 768}},
        {800, 600, EScaling::kFill, {0, 0, 800, 600}},      // smaller than a frame
        {1920, 1080, EScaling::kWhole, {448, 156, 1024, 768}},
        {3840, 2160, EScaling::kWhole, {896, 312, 2048, 1536}},
        {2048, 1536, EScaling::kWhole, {0, 0, 2048, 1536}},
        {2047, 1536, EScaling::kWhole, {511, 384, 1024, 768}},
        {800, 600, EScaling::kWhole, {0, 0, 800, 600}},     // no whole factor: fill
        {0, 600, EScaling::kFill, {0, 0, 0, 0}},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(ScreenFit::FitPicture(c.w, c.h, 1024, 768, c.scaling), c.picture)
            << c.w << "x" << c.h << (c.scaling == EScaling::kWhole ? " whole" : " fill");
}

TEST(ScreenFitTest, AutoWindowScaleIsTheLargestWholeFactorThatFitsAtLeastOne)
{
    struct SCase {
        int w, h, scale;
    };
    for (const SCase& c : {SCase{3840, 2130, 2}, SCase{1920, 1050, 1}, SCase{2048, 1536, 2}, SCase{2047, 1536, 1},
                           SCase{2048, 1535, 1}, SCase{3072, 2304, 3}, SCase{9000, 2304, 3}, SCase{800, 600, 1},
                           SCase{0, 0, 1}})
        EXPECT_EQ(ScreenFit::AutoWindowScale(c.w, c.h, 1024, 768), c.scale) << c.w << "x" << c.h;
    EXPECT_EQ(ScreenFit::ScaledSize(1024, 768, 1.5), (SPoint{1536, 1152}));
    EXPECT_EQ(ScreenFit::ScaledSize(1024, 768, 2), (SPoint{2048, 1536}));
}

TEST(ScreenFitTest, TheMonitorUnderThePointerElseThePrimaryElseTheFirst)
{
    const SRect two[] = {{0, 0, 1920, 1080}, {1920, 0, 3840, 2160}};
    struct SCase {
        int primary;
        std::optional<SPoint> pointer;
        int chosen;
    };
    for (const SCase& c : {SCase{0, SPoint{2000, 10}, 1}, SCase{1, SPoint{1919, 1079}, 0}, SCase{0, SPoint{1920, 0}, 1},
                           SCase{1, SPoint{100, 1500}, 1}, SCase{1, std::nullopt, 1}, SCase{-1, std::nullopt, 0},
                           SCase{5, SPoint{-1, -1}, 0}})
        EXPECT_EQ(ScreenFit::ChooseMonitor(two, c.primary, c.pointer), c.chosen)
            << c.primary << (c.pointer ? " with a pointer" : " without a pointer");
    EXPECT_EQ(ScreenFit::ChooseMonitor({}, 0, SPoint{0, 0}), -1);
}

TEST(ScreenFitTest, FullScreenCoversItsMonitorAWindowIsCentredInTheUsableArea)
{
    using ScreenFit::SWindowPlan;
    EXPECT_EQ(ScreenFit::PlanFullscreen({1920, 0, 3840, 2160}, 1024, 768, EScaling::kFill),
              (SWindowPlan{{1920, 0, 3840, 2160}, {480, 0, 2880, 2160}}));
    EXPECT_EQ(ScreenFit::PlanFullscreen({0, 0, 1920, 1080}, 1024, 768, EScaling::kWhole),
              (SWindowPlan{{0, 0, 1920, 1080}, {448, 156, 1024, 768}}));
    struct SCase {
        SRect usable;
        double scale;
        SRect window;
    };
    const SCase cases[] = {
        {{0, 0, 3840, 2130}, 0, {896, 297, 2048, 1536}},  // auto: 2
        {{0, 30, 1920, 1050}, 0, {448, 171, 1024, 768}},  // auto: 1, below a panel
        {{1920, 0, 1920, 1080}, 1.5, {2112, 0, 1536, 1152}}, // larger than the area: kept on it
        {{0, 0, 800, 600}, 0, {0, 0, 1024, 768}},
    };
    for (const SCase& c : cases) {
        const SWindowPlan plan = ScreenFit::PlanWindow(c.usable, 1024, 768, c.scale);
        EXPECT_EQ(plan.window, c.window) << c.usable.w << "x" << c.usable.h << " at " << c.scale;
        EXPECT_EQ(plan.picture, (SRect{0, 0, c.window.w, c.window.h})) << "the picture fills a window";
    }
}

TEST(ScreenFitTest, OutputPositionsMapToTheFramePixelUnderThemBarsToTheNearestEdge)
{
    const SRect fill{240, 0, 1440, 1080}; // 1920 x 1080
    struct SCase {
        int ox, oy;
        SPoint frame;
    };
    const SCase cases[] = {
        {240, 0, {0, 0}},         {241, 1, {1, 1}},        {242, 2, {1, 1}},
        {239, 540, {0, 384}},     {0, 0, {0, 0}},          {-5, -5, {0, 0}},
        {960, 540, {512, 384}},   {1678, 1078, {1022, 766}}, {1679, 1079, {1023, 767}},
        {1680, 1080, {1023, 767}}, {1919, 5000, {1023, 767}},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(ScreenFit::OutputToFrame(c.ox, c.oy, fill, 1024, 768), c.frame) << c.ox << "," << c.oy;
    // The frame itself maps to itself.
    EXPECT_EQ(ScreenFit::OutputToFrame(1023, 0, {0, 0, 1024, 768}, 1024, 768), (SPoint{1023, 0}));
    EXPECT_EQ(ScreenFit::OutputToFrame(1024, 768, {0, 0, 1024, 768}, 1024, 768), (SPoint{1023, 767}));
}

TEST(ScreenFitTest, EveryFramePixelComesBackFromTheOutputPixelItIsPutOn)
{
    for (const SRect& picture : {SRect{0, 0, 1024, 768}, SRect{240, 0, 1440, 1080}, SRect{106, 0, 1067, 800},
                                 SRect{480, 0, 2880, 2160}, SRect{0, 0, 1536, 1152}, SRect{0, 0, 2048, 1536}}) {
        for (int x = 0; x < 1024; ++x) {
            const SPoint o = ScreenFit::FrameToOutput(x, 0, picture, 1024, 768);
            ASSERT_GE(o.x, picture.x);
            ASSERT_LT(o.x, picture.x + picture.w);
            ASSERT_EQ(ScreenFit::OutputToFrame(o.x, picture.y, picture, 1024, 768).x, x) << picture.w;
        }
        for (int y = 0; y < 768; ++y) {
            const SPoint o = ScreenFit::FrameToOutput(0, y, picture, 1024, 768);
            ASSERT_EQ(ScreenFit::OutputToFrame(picture.x, o.y, picture, 1024, 768).y, y) << picture.h;
        }
    }
}

} // namespace
