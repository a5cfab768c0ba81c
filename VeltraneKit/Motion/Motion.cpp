#include "VeltraneKit/Motion/Motion.h"

namespace veltrane::Motion {

Animation expand()
{
    return Animation::spring(0.42, 0.82, 0);
}

Animation collapse()
{
    return Animation::spring(0.34, 0.9, 0);
}

Animation reduceMotionCrossfade()
{
    return Animation::easeInOut(0.15);
}

Seconds rowDelay(int index)
{
    return index * rowStagger;
}

std::optional<Animation> breathing(bool reduceMotion)
{
    if (reduceMotion)
        return std::nullopt;
    return Animation::easeInOut(breathingPeriod)
        .repeatingForever(Animation::Reversal::autoreverses)
        .atFrameRate(ambientFrameRate);
}

Animation adaptive(const Animation& animation, bool reduceMotion)
{
    return reduceMotion ? reduceMotionCrossfade() : animation;
}

Animation expandIfPossible(bool reduceMotion)
{
    return adaptive(expand(), reduceMotion);
}

Animation collapseIfPossible(bool reduceMotion)
{
    return adaptive(collapse(), reduceMotion);
}

} // namespace veltrane::Motion
