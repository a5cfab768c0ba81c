#include "Moorlet/App/WindowSystem.h"

#include <gtest/gtest.h>

#include <tuple>

using moorlet::WindowSystem::platformOverride;

// Wayland sessions run through XWayland ("xcb"); other choices and X11 sessions are left alone.
TEST(WindowSystemTest, OnlyAWaylandSessionWithoutAnotherChoiceIsSentThroughXWayland)
{
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        { "", "wayland-0", "wayland", "xcb" },
        // Either sign of Wayland is enough: some launchers drop one of them.
        { "", "", "wayland", "xcb" },
        // Qt's own Wayland plugin, asked for by the desktop, cannot place the panel either.
        { "wayland", "wayland-0", "wayland", "xcb" },
        { "offscreen", "wayland-0", "wayland", "" },
        { "xcb", "wayland-0", "wayland", "" },
        { "", "", "x11", "" },
    };
    for (const auto& [platform, display, session, expected] : cases)
        EXPECT_EQ(platformOverride(platform, display, session), expected) << platform << " " << display << " " << session;
}
