#include "Moorlet/Views/CardTexts.h"

#include <algorithm>
#include <cmath>

namespace moorlet::CardTexts {

QString tilePhaseWord(SessionPhase phase)
{
    switch (phase) {
    case SessionPhase::idle:
        return QStringLiteral("Ready");
    case SessionPhase::focusing:
        return QStringLiteral("Focus");
    case SessionPhase::shortBreak:
        return QStringLiteral("Break");
    case SessionPhase::longBreak:
        return QStringLiteral("Long break");
    }
    return {};
}

QString cardPhaseTitle(SessionPhase phase)
{
    if (phase == SessionPhase::shortBreak)
        return QStringLiteral("Short break");
    return tilePhaseWord(phase);
}

QString mascotSymbol(SessionPhase phase, bool paused)
{
    if (paused)
        return QStringLiteral("pause.fill");
    switch (phase) {
    case SessionPhase::idle:
        return QStringLiteral("moon.fill");
    case SessionPhase::focusing:
        return QStringLiteral("leaf.fill");
    case SessionPhase::shortBreak:
        return QStringLiteral("cup.and.saucer.fill");
    case SessionPhase::longBreak:
        return QStringLiteral("beach.umbrella.fill");
    }
    return {};
}

QStringList cheerPhrases(SessionPhase phase, bool paused)
{
    if (paused)
        return { QStringLiteral("Paused, take your time"), QStringLiteral("Resume when ready") };
    switch (phase) {
    case SessionPhase::idle:
        return { QStringLiteral("Ready when you are"), QStringLiteral("Pick a time and dive in"),
            QStringLiteral("One small start") };
    case SessionPhase::focusing:
        return { QStringLiteral("Deep work mode"), QStringLiteral("One thing at a time"), QStringLiteral("Stay with it") };
    case SessionPhase::shortBreak:
        return { QStringLiteral("Stretch a little"), QStringLiteral("Look far away for a moment"),
            QStringLiteral("Sip some water") };
    case SessionPhase::longBreak:
        return { QStringLiteral("A long break, well earned"), QStringLiteral("Step away from the screen"),
            QStringLiteral("Rest properly") };
    }
    return {};
}

QString taskTimeLabel(veltrane::Seconds seconds)
{
    // A corrupt, huge figure is capped rather than overflowing the conversion.
    constexpr double kMostMinutes = 1e15;
    const double wholeMinutes = std::isfinite(seconds) && seconds > 0 ? std::min(seconds / 60, kMostMinutes) : 0;
    const auto minutes = static_cast<long long>(wholeMinutes);
    if (minutes < 60)
        return QStringLiteral("%1m focused").arg(minutes);
    return QStringLiteral("%1h %2m focused").arg(minutes / 60).arg(minutes % 60);
}

QString deadlineCountdown(int days)
{
    if (days < 0)
        return QStringLiteral("Past due");
    if (days == 0)
        return QStringLiteral("Today");
    if (days == 1)
        return QStringLiteral("Tomorrow");
    return QStringLiteral("in %1 days").arg(days);
}

QString bestHourInsight(const QString& label)
{
    return QStringLiteral("You focus best around ") + label;
}

QString openPlayerPrompt(const QString& playerName)
{
    return QStringLiteral("Open ") + playerName + QStringLiteral(" and control it from here");
}

QString removeSoundAction(const QString& soundName)
{
    return QStringLiteral("Remove \u201C") + soundName + QStringLiteral("\u201D");
}

} // namespace moorlet::CardTexts
