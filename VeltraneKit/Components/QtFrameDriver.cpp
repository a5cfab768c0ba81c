#include "VeltraneKit/Components/QtFrameDriver.h"

#include <algorithm>
#include <cmath>

namespace veltrane {

namespace {

constexpr int kFrameIntervalMilliseconds = 16;

} // namespace

QtFrameDriver::QtFrameDriver()
{
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kFrameIntervalMilliseconds);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (m_onFrame)
            m_onFrame();
    });
}

void QtFrameDriver::start(std::function<void()> onFrame)
{
    m_onFrame = std::move(onFrame);
    m_timer.start();
}

void QtFrameDriver::stop()
{
    m_timer.stop();
}

void QtFrameDriver::setInterval(Seconds interval)
{
    // Whole milliseconds, rounded down so that a slow animation's frame is never missed by a
    // fraction: the ticker lets a frame through that comes a little early.
    const double milliseconds = std::isfinite(interval) ? std::floor(interval * 1000) : 0.0;
    const int next = static_cast<int>(std::clamp(milliseconds, double(kFrameIntervalMilliseconds), 1000.0));
    if (next != m_timer.interval())
        m_timer.setInterval(next); // restarts a running timer with the new interval
}

} // namespace veltrane
