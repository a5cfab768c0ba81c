#pragma once

#include "VeltraneKit/Motion/FrameTicker.h"

namespace veltrane {

// The application's one frame ticker: monotonic time and a 60 Hz timer that runs only while
// something animates. View atoms use it unless they are given another (tests give a ticker on
// a TestClock). Main thread only; created on first use.
FrameTicker& sharedFrameTicker();

} // namespace veltrane
