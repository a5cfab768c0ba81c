#pragma once

#include "VeltraneKit/Geometry/ScreenProvider.h"

namespace veltrane::testing {

// One screen of any size (more with setScreens) and a pointer the test moves. The y flip line is
// the top of the main screen, so Qt's geometry is the y-up geometry turned upside down.
class FakeScreenProvider final : public ScreenProvider {
public:
    explicit FakeScreenProvider(Rect visibleFrame)
        : m_frames { { visibleFrame, visibleFrame } }
    {
    }

    std::vector<ScreenFrames> screens() const override { return m_frames; }
    Point mouseLocation() const override { return m_mouse; }
    double yFlipLine() const override { return m_frames.empty() ? 0 : m_frames.front().frame.maxY(); }

    void setMouseLocation(Point location) { m_mouse = location; }
    void setScreens(std::vector<ScreenFrames> frames) { m_frames = std::move(frames); }

private:
    std::vector<ScreenFrames> m_frames;
    Point m_mouse;
};

} // namespace veltrane::testing
