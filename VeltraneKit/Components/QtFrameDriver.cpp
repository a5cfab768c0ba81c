#include "VeltraneKit/Components/QtFrameDriver.h"

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

} // namespace veltrane
