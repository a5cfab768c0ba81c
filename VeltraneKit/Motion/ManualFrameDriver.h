#pragma once

#include "VeltraneKit/Motion/FrameDriver.h"

namespace veltrane {

// A frame driver that delivers a frame only when told to, for tests and offscreen renders.
class ManualFrameDriver final : public FrameDriver {
public:
    void start(std::function<void()> onFrame) override
    {
        m_onFrame = std::move(onFrame);
        ++m_starts;
    }
    void stop() override { m_onFrame = nullptr; }
    bool isRunning() const override { return static_cast<bool>(m_onFrame); }
    void setInterval(Seconds interval) override { m_interval = interval; }
    // The interval the ticker asked for last.
    Seconds interval() const { return m_interval; }

    // Delivers one frame if the driver is running; returns whether it did.
    bool frame()
    {
        if (!m_onFrame)
            return false;
        auto handler = m_onFrame;
        handler();
        return true;
    }
    int starts() const { return m_starts; }

private:
    std::function<void()> m_onFrame;
    int m_starts = 0;
    Seconds m_interval = kDisplayInterval;
};

} // namespace veltrane
