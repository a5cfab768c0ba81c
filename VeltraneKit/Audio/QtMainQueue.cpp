#include "VeltraneKit/Audio/QtMainQueue.h"

#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace veltrane {

void QtMainQueue::schedule(Seconds delay, std::function<void()> task)
{
    const auto milliseconds = std::chrono::milliseconds(std::llround(std::max(delay, 0.0) * 1000.0));
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &m_context, std::move(task));
}

} // namespace veltrane
