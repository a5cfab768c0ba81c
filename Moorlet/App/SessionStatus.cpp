#include "Moorlet/App/SessionStatus.h"

#include "Moorlet/Focus/FocusController.h"

#include <QJsonDocument>

namespace moorlet::SessionStatus {

namespace {

// The phase's case name, as the settings and the session log spell modes.
QString phaseName(SessionPhase phase)
{
    switch (phase) {
    case SessionPhase::idle:
        return QStringLiteral("idle");
    case SessionPhase::focusing:
        return QStringLiteral("focusing");
    case SessionPhase::shortBreak:
        return QStringLiteral("shortBreak");
    case SessionPhase::longBreak:
        return QStringLiteral("longBreak");
    }
    return QStringLiteral("idle");
}

} // namespace

QJsonObject object(const FocusController& controller)
{
    return QJsonObject {
        { QStringLiteral("phase"), phaseName(controller.phase()) },
        { QStringLiteral("running"), controller.isRunning() },
        { QStringLiteral("paused"), controller.isPaused() },
        { QStringLiteral("displayTime"), controller.displayTime() },
        { QStringLiteral("remaining"), controller.remaining() },
        { QStringLiteral("elapsed"), controller.elapsed() },
        { QStringLiteral("progress"), controller.progress() },
        { QStringLiteral("focusToday"), controller.focusTodayLabel() },
        { QStringLiteral("focusTodaySeconds"), controller.focusSecondsToday() },
        { QStringLiteral("sessionsToday"), controller.completedSessionsToday() },
        { QStringLiteral("goal"), controller.goalLabel() },
        { QStringLiteral("goalProgress"), controller.goalProgress() },
        { QStringLiteral("streak"), controller.streak() },
    };
}

QString line(const FocusController& controller)
{
    return line(object(controller));
}

QString line(const QJsonObject& status)
{
    return QString::fromUtf8(QJsonDocument(status).toJson(QJsonDocument::Compact));
}

} // namespace moorlet::SessionStatus
