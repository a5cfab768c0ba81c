#include "Moorlet/App/WindowSystem.h"

#include <gtest/gtest.h>

using moorlet::WindowSystem::platformOverride;

TEST(WindowSystemTest, AWaylandSessionRunsThroughXWayland)
{
    EXPECT_EQ(platformOverride("", "wayland-0", "wayland"), "xcb");
    // Either sign of Wayland is enough: some launchers drop one of them.
    EXPECT_EQ(platformOverride("", "wayland-0", ""), "xcb");
    EXPECT_EQ(platformOverride("", "", "wayland"), "xcb");
    // Qt's own Wayland plugin, asked for by the desktop, cannot place the panel either.
    EXPECT_EQ(platformOverride("wayland", "wayland-0", "wayland"), "xcb");
    EXPECT_EQ(platformOverride("wayland-egl", "wayland-0", "wayland"), "xcb");
}

TEST(WindowSystemTest, OtherChoicesAndX11SessionsAreLeftAlone)
{
    EXPECT_EQ(platformOverride("offscreen", "wayland-0", "wayland"), "");
    EXPECT_EQ(platformOverride("xcb", "wayland-0", "wayland"), "");
    EXPECT_EQ(platformOverride("", "", "x11"), "");
    EXPECT_EQ(platformOverride("", "", ""), "");
}

TEST(WindowSystemTest, FramesGoThroughTheSocketUnlessSomeoneChoseOtherwise)
{
    qunsetenv("QT_XCB_NO_MITSHM");
    moorlet::WindowSystem::preferX11();
    EXPECT_EQ(qgetenv("QT_XCB_NO_MITSHM"), "1");

    qputenv("QT_XCB_NO_MITSHM", "0");
    moorlet::WindowSystem::preferX11();
    EXPECT_EQ(qgetenv("QT_XCB_NO_MITSHM"), "0");
    qunsetenv("QT_XCB_NO_MITSHM");
}
