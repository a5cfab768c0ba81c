#include "Moorlet/Insights/InsightsFigures.h"

#include "VeltraneKit/Theme/DesignTokens.h"

#include <algorithm>
#include <cmath>

namespace moorlet {

namespace {

constexpr auto kUnlabeled = std::string_view { "Unlabeled" };

} // namespace

InsightsFigures InsightsFigures::compute(const AnalyticsEngine& analytics, std::span<const FocusRecord> records,
    int rangeDays, veltrane::Instant now, double dailyGoalMinutes)
{
    InsightsFigures figures;
    figures.rangeDays = rangeDays;
    figures.now = now;
    figures.goal = std::max(dailyGoalMinutes * 60, 1.0);
    figures.changeRange(analytics, records, rangeDays);
    figures.streak = analytics.currentStreak(records, now, dailyGoalMinutes * 60);
    const auto hours = analytics.hourBuckets(records);
    std::copy(hours.begin(), hours.end(), figures.hours.begin());
    figures.peakHour = analytics.bestHour(records);
    if (const auto label = analytics.bestHourLabel(records))
        figures.peakLabel = QString::fromStdString(*label);
    figures.subjects = analytics.bySubject(records, kUnlabeled);
    if (figures.subjects.size() > kSubjectCount)
        figures.subjects.resize(kSubjectCount);
    figures.activity = analytics.dailyTotals(records, kActivityDays, now);
    return figures;
}

void InsightsFigures::changeRange(const AnalyticsEngine& analytics, std::span<const FocusRecord> records, int days)
{
    rangeDays = days;
    summary = analytics.summary(records, days, now);
    this->days = analytics.dailyTotals(records, days, now);
}

QString InsightsFigures::periodTitle() const
{
    return rangeDays == 7 ? QStringLiteral("This week") : QStringLiteral("This month");
}

RecapData InsightsFigures::recap(const veltrane::Calendar& calendar, const QColor& accent) const
{
    RecapData data;
    data.period = periodTitle();
    data.focusLabel = durationLabel(summary.totalFocus);
    data.sessions = summary.sessions;
    data.streak = streak;
    data.bestHourLabel = peakLabel;
    data.bars = RecapData::barsFrom(days, calendar, now);
    data.accent = accent;
    return data;
}

QString durationLabel(double seconds)
{
    const auto minutes = static_cast<long long>(std::max(seconds, 0.0) / 60);
    if (minutes < 60)
        return QStringLiteral("%1m").arg(minutes);
    return QStringLiteral("%1h %2m").arg(minutes / 60).arg(minutes % 60);
}

std::optional<DeltaBadge> deltaBadge(std::optional<double> deltaFraction)
{
    if (!deltaFraction || !std::isfinite(*deltaFraction))
        return std::nullopt;
    const auto percent = std::llabs(static_cast<long long>(std::trunc(*deltaFraction * 100)));
    return DeltaBadge { *deltaFraction >= 0, QStringLiteral("%1%").arg(percent) };
}

double activityOpacity(double seconds, double goal)
{
    if (seconds <= 0)
        return kEmptyActivityOpacity;
    return std::min(0.2 + 0.8 * seconds / std::max(goal, 1.0), 1.0);
}

QColor subjectColor(std::size_t index)
{
    namespace Colors = veltrane::DesignTokens::Colors;
    static const QColor colors[] = { Colors::focus(), Colors::breakPhase(), Colors::streak(), QColor(0x38, 0xBD, 0xF8),
        QColor(0xF4, 0x72, 0xB6) };
    return colors[index % std::size(colors)];
}

} // namespace moorlet
