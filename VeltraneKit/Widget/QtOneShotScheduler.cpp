#include "VeltraneKit/Widget/QtOneShotScheduler.h"

#include <QTimer>

#include <algorithm>
#include <cmath>

namespace veltrane {

void QtOneShotScheduler::enqueue(Seconds delay, std::function<void()> run)
{
    auto milliseconds = static_cast<int>(std::lround(std::max(0.0, delay) * 1000));
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &m_context, std::move(run));
}

} // namespace veltrane
