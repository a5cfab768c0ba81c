#include "VeltraneKit/Theme/TimeFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace veltrane::TimeFormat {

std::string clock(double seconds)
{
    const double rounded = std::isfinite(seconds) ? std::round(seconds) : 0;
    // The cap keeps absurd inputs from overflowing the conversion.
    const long long total = rounded > 0 ? static_cast<long long>(std::min(rounded, 1e15)) : 0;
    const long long minutes = (total % 3600) / 60;
    const long long secs = total % 60;
    char text[32];
    if (total < 3600)
        std::snprintf(text, sizeof text, "%02lld:%02lld", minutes, secs);
    else
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", total / 3600, minutes, secs);
    return text;
}

} // namespace veltrane::TimeFormat
