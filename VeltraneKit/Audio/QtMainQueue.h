#pragma once

#include "VeltraneKit/Audio/MainQueue.h"

#include <QObject>

namespace veltrane {

// The main queue on Qt's event loop: each task is a precise single-shot timer. Tasks still
// pending when the queue goes away are dropped.
class QtMainQueue final : public MainQueue {
public:
    void schedule(Seconds delay, std::function<void()> task) override;

private:
    QObject m_context;
};

} // namespace veltrane
