#pragma once

#include "VeltraneKit/Motion/FrameTicker.h"
#include "VeltraneKit/Time/Clock.h"
#include "VeltraneKit/Time/OneShotScheduler.h"

namespace veltrane {
class DesktopPreferences;
}

namespace moorlet {

// What the views need from their surroundings besides the controllers: the frame ticker their
// animations run on, where delayed work goes, the time of day, and the desktop's own appearance
// preferences. The application gives its desktop preferences and leaves the rest empty for the
// real ones; tests and the screenshot tool pass a ticker and a scheduler they step by hand.
struct ViewEnvironment {
    // Null: the application's shared frame ticker.
    veltrane::FrameTicker* ticker = nullptr;
    // Null: single-shot timers on the Qt event loop.
    veltrane::OneShotSchedulerPtr scheduler;
    // Null: the system clock. Used for the deadline countdown's "today".
    veltrane::ClockPtr clock;
    // Null: motion is not reduced by the desktop and the colour scheme follows the application
    // palette. Must outlive the views when given.
    veltrane::DesktopPreferences* desktop = nullptr;

    // A copy with every empty member replaced by the application's default.
    ViewEnvironment resolved() const;
};

} // namespace moorlet
