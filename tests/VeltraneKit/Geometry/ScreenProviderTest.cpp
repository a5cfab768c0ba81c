#include "VeltraneKit/Geometry/ScreenProvider.h"

#include <gtest/gtest.h>

namespace veltrane {
namespace {

class TwoScreens final : public ScreenProvider {
public:
    std::vector<ScreenFrames> frames;
    std::vector<ScreenFrames> screens() const override { return frames; }
    Point mouseLocation() const override { return {}; }
    double yFlipLine() const override { return 900; }
};

// The main screen on the right of a second one; each loses a strip to a panel.
const ScreenFrames kMain { Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 875) };
const ScreenFrames kSecond { Rect(-1920, 0, 1920, 1080), Rect(-1920, 40, 1920, 1040) };

TEST(ScreenProviderTest, WindowsBelongToTheScreenShowingMostOfThem)
{
    TwoScreens screens;
    screens.frames = { kMain, kSecond };
    EXPECT_EQ(screens.mainVisibleFrame(), kMain.visibleFrame);
    EXPECT_EQ(screens.visibleFrameForWindow(Rect(100, 100, 168, 168)), kMain.visibleFrame);
    EXPECT_EQ(screens.visibleFrameForWindow(Rect(-300, 100, 168, 168)), kSecond.visibleFrame);
    // Straddling the seam: 100 points on the main screen, 68 on the other.
    EXPECT_EQ(screens.visibleFrameForWindow(Rect(-68, 100, 168, 168)), kMain.visibleFrame);
    EXPECT_EQ(screens.visibleFrameForWindow(Rect(-100, 100, 168, 168)), kSecond.visibleFrame);
}

TEST(ScreenProviderTest, AWindowOnNoScreenFallsBackToTheMainScreen)
{
    TwoScreens screens;
    screens.frames = { kMain, kSecond };
    Rect lost(5000, 5000, 168, 168);
    EXPECT_EQ(screens.visibleFrameShowing(lost), std::nullopt);
    EXPECT_EQ(screens.visibleFrameForWindow(lost), kMain.visibleFrame);
}

TEST(ScreenProviderTest, WithoutScreensThereIsNoFrame)
{
    TwoScreens none;
    EXPECT_EQ(none.mainVisibleFrame(), std::nullopt);
    EXPECT_EQ(none.visibleFrameForWindow(Rect(0, 0, 10, 10)), std::nullopt);
}

} // namespace
} // namespace veltrane
