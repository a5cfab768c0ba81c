#pragma once

#include "VeltraneKit/Geometry/Rect.h"

#include <optional>
#include <vector>

namespace veltrane {

// One screen's full frame and the visible part of it that windows may use (without panels and
// docks), y-up.
struct ScreenFrames {
    Rect frame;
    Rect visibleFrame;
};

// The screens and the pointer, in y-up screen coordinates. The real implementation reads the
// window system (QtScreenProvider); tests substitute screens of any size.
//
// Main thread only.
class ScreenProvider {
public:
    virtual ~ScreenProvider() = default;

    // Every screen, the main screen first; empty when there is none.
    virtual std::vector<ScreenFrames> screens() const = 0;
    // The pointer's position now (not the position some event carried).
    virtual Point mouseLocation() const = 0;
    // The line that y-up measures from, in the window system's downward coordinates:
    // y-up = yFlipLine() − y-down. The window code converts with it once, at the Qt boundary.
    virtual double yFlipLine() const = 0;

    std::optional<Rect> mainVisibleFrame() const;
    // The visible frame of the screen that shows the largest part of `frame`; nothing when the
    // frame is on no screen.
    std::optional<Rect> visibleFrameShowing(const Rect& frame) const;
    // The visible frame of the window's screen, or else the main screen's.
    std::optional<Rect> visibleFrameForWindow(const Rect& frame) const;
};

} // namespace veltrane
