#include "MoorletCore/FlowmodoroConfig.h"

#include <cmath>

namespace moorlet {

namespace {
constexpr auto kFallbackDivisor = 5.0;
}

FlowmodoroConfig::FlowmodoroConfig(double divisor, veltrane::Seconds minBreak, veltrane::Seconds maxBreak)
    : divisor(divisor > 0 ? divisor : kFallbackDivisor)
    , minBreak(minBreak)
    , maxBreak(maxBreak >= minBreak ? maxBreak : minBreak)
{
}

veltrane::Seconds FlowmodoroConfig::earnedBreak(veltrane::Seconds forFocus) const
{
    const auto quotient = std::floor(forFocus / divisor);
    // Written as comparisons rather than std::clamp so that a NaN quotient falls to minBreak and
    // a directly written maxBreak below minBreak still gives maxBreak, never undefined behaviour.
    const auto raised = quotient >= minBreak ? quotient : minBreak;
    return raised < maxBreak ? raised : maxBreak;
}

} // namespace moorlet
