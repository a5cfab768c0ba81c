#pragma once

#include "VeltraneKit/Time/OneShotScheduler.h"

#include <QObject>

namespace veltrane {

// Schedules on the Qt event loop with precise single-shot timers. Work still waiting when the
// scheduler goes away never runs.
class QtOneShotScheduler final : public OneShotScheduler {
protected:
    void enqueue(Seconds delay, std::function<void()> run) override;

private:
    // The timers' context: destroying it drops every pending timer.
    QObject m_context;
};

} // namespace veltrane
