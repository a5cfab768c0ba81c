#pragma once

#include <string>

namespace veltrane::TimeFormat {

// The countdown text: seconds rounded to the nearest whole second (halves up), "MM:SS" below an
// hour ("05:07", "59:59") and "H:MM:SS" from an hour on ("1:00:00"). Negative or non-number
// input shows as "00:00".
std::string clock(double seconds);

} // namespace veltrane::TimeFormat
