#include "VeltraneKit/Geometry/ScreenProvider.h"
#include "tests/VeltraneKit/Widget/FakeScreenProvider.h"

#include <gtest/gtest.h>

namespace veltrane {
namespace {

// The main screen on the right of a second one; each loses a strip to a panel.
const ScreenFrames kMain { Rect(0, 0, 1440, 900), Rect(0, 0, 1440, 875) };
const ScreenFrames kSecond { Rect(-1920, 0, 1920, 1080), Rect(-1920, 40, 1920, 1040) };

TEST(ScreenProviderTest, WindowsBelongToTheScreenShowingMostOfThemOrElseTheMainOne)
{
    testing::FakeScreenProvider screens(kMain.visibleFrame);
    screens.setScreens({ kMain, kSecond });
    EXPECT_EQ(screens.mainVisibleFrame(), kMain.visibleFrame);
    EXPECT_EQ(screens.visibleFrameForWindow(Rect(100, 100, 168, 168)), kMain.visibleFrame);
    EXPECT_EQ(screens.visibleFrameForWindow(Rect(-300, 100, 168, 168)), kSecond.visibleFrame);
    // Straddling the seam: 100 points on the main screen, 68 on the other.
    EXPECT_EQ(screens.visibleFrameForWindow(Rect(-68, 100, 168, 168)), kMain.visibleFrame);
    EXPECT_EQ(screens.visibleFrameForWindow(Rect(-100, 100, 168, 168)), kSecond.visibleFrame);
    // On no screen at all.
    EXPECT_EQ(screens.visibleFrameShowing(Rect(5000, 5000, 168, 168)), std::nullopt);
    EXPECT_EQ(screens.visibleFrameForWindow(Rect(5000, 5000, 168, 168)), kMain.visibleFrame);

    screens.setScreens({});
    EXPECT_EQ(screens.mainVisibleFrame(), std::nullopt);
    EXPECT_EQ(screens.visibleFrameForWindow(Rect(0, 0, 10, 10)), std::nullopt);
}

} // namespace
} // namespace veltrane
