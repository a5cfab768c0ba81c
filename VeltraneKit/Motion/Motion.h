#pragma once

#include "VeltraneKit/Motion/Animation.h"

#include <optional>

namespace veltrane::Motion {

// The card's expand and collapse springs and the crossfade that replaces them under reduce motion.
Animation expand();
Animation collapse();
Animation reduceMotionCrossfade();

// Rows of the card appear one after another by this much, moving up by rowOffset points.
inline constexpr Seconds rowStagger = 0.03;
inline constexpr double rowOffset = 8;
inline constexpr double pulseScale = 1.25;
inline constexpr Seconds pulseDuration = 0.5;
inline constexpr double breathingMinOpacity = 0.5;
inline constexpr Seconds breathingPeriod = 2.0;
inline constexpr double dragScale = 0.98;
// Slow, endless motion (breathing) moves a fraction of a point per frame at the display's rate:
// it is drawn at this many frames a second, which looks the same at a sixth of the paints.
inline constexpr double ambientFrameRate = 10;

// The reveal delay of the row at `index`.
Seconds rowDelay(int index);

// The endless, auto-reversing breathing ease at the ambient frame rate; none under reduce motion.
std::optional<Animation> breathing(bool reduceMotion);

// The given animation, or the reduce-motion crossfade.
Animation adaptive(const Animation& animation, bool reduceMotion);
Animation expandIfPossible(bool reduceMotion);
Animation collapseIfPossible(bool reduceMotion);

} // namespace veltrane::Motion
