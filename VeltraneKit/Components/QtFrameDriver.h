#pragma once

#include "VeltraneKit/Motion/FrameDriver.h"

#include <QTimer>

namespace veltrane {

// Display frames from a precise timer at 60 Hz, or slower when asked, on the thread that owns it
// (the main thread).
class QtFrameDriver final : public FrameDriver {
public:
    QtFrameDriver();
    void start(std::function<void()> onFrame) override;
    void stop() override;
    bool isRunning() const override { return m_timer.isActive(); }
    void setInterval(Seconds interval) override;

private:
    QTimer m_timer;
    std::function<void()> m_onFrame;
};

} // namespace veltrane
