#include "Moorlet/App/StatusFeed.h"

#include "Moorlet/App/SessionStatus.h"
#include "Moorlet/Focus/FocusController.h"

namespace moorlet {

namespace {

// The status without the values that move continuously; the shown time stands for them.
QJsonObject shownPart(QJsonObject status)
{
    for (const auto* key : { "remaining", "elapsed", "progress" })
        status.remove(QLatin1String(key));
    return status;
}

} // namespace

StatusFeed::StatusFeed(const FocusController& controller, QObject* parent)
    : QObject(parent)
    , m_controller(controller)
    , m_shown(shownPart(SessionStatus::object(controller)))
{
    for (const auto signal : { &FocusController::phaseChanged, &FocusController::remainingChanged,
             &FocusController::elapsedChanged, &FocusController::isRunningChanged, &FocusController::isPausedChanged,
             &FocusController::focusSecondsTodayChanged, &FocusController::completedSessionsTodayChanged,
             &FocusController::streakChanged })
        connect(&controller, signal, this, &StatusFeed::schedule);
}

void StatusFeed::schedule()
{
    if (m_scheduled)
        return;
    m_scheduled = true;
    QMetaObject::invokeMethod(this, &StatusFeed::publish, Qt::QueuedConnection);
}

void StatusFeed::publish()
{
    m_scheduled = false;
    const auto status = SessionStatus::object(m_controller);
    auto shown = shownPart(status);
    if (shown == m_shown)
        return;
    m_shown = std::move(shown);
    emit lineChanged(SessionStatus::line(status));
}

} // namespace moorlet
