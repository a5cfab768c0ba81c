#include "VeltraneKit/Geometry/ScreenProvider.h"

namespace veltrane {

std::optional<Rect> ScreenProvider::mainVisibleFrame() const
{
    auto all = screens();
    if (all.empty())
        return std::nullopt;
    return all.front().visibleFrame;
}

std::optional<Rect> ScreenProvider::visibleFrameShowing(const Rect& frame) const
{
    std::optional<Rect> best;
    double bestArea = 0;
    for (const ScreenFrames& screen : screens()) {
        double area = screen.frame.overlapArea(frame);
        if (area > bestArea) {
            bestArea = area;
            best = screen.visibleFrame;
        }
    }
    return best;
}

std::optional<Rect> ScreenProvider::visibleFrameForWindow(const Rect& frame) const
{
    if (auto showing = visibleFrameShowing(frame))
        return showing;
    return mainVisibleFrame();
}

} // namespace veltrane
