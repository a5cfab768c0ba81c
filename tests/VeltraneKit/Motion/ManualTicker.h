#pragma once

#include "VeltraneKit/Motion/FrameTicker.h"
#include "VeltraneKit/Motion/ManualFrameDriver.h"

#include <cmath>
#include <memory>

namespace veltrane::testing {

// A frame ticker on a test clock whose 60 Hz frames the test delivers itself. Fixtures derive
// from it to drive animations frame by frame.
class ManualTicker {
public:
    explicit ManualTicker(Instant start = 0)
        : m_clock(std::make_shared<TestClock>(start))
    {
        auto driver = std::make_unique<ManualFrameDriver>();
        m_driver = driver.get();
        m_ticker = std::make_unique<FrameTicker>(m_clock, std::move(driver));
    }

    // Advances the clock by one frame and delivers it; false when the ticker is idle.
    bool frame()
    {
        m_clock->advance(1.0 / 60);
        return m_driver->frame();
    }
    // Runs frames for `duration`, rounded to whole frames.
    void runFor(Seconds duration)
    {
        for (long i = 0, frames = std::lround(duration * 60); i < frames; ++i)
            frame();
    }
    void runToIdle(int limit = 10000) { for (int i = 0; i < limit && frame(); ++i) { } }

    std::shared_ptr<TestClock> m_clock;
    ManualFrameDriver* m_driver = nullptr;
    std::unique_ptr<FrameTicker> m_ticker;
};

} // namespace veltrane::testing
