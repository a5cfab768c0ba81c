#pragma once

#include "Moorlet/Recap/RecapData.h"
#include "MoorletCore/AnalyticsEngine.h"

#include <QColor>
#include <QString>

#include <array>
#include <optional>
#include <span>
#include <vector>

namespace moorlet {

// Every number the insights window shows for one range, all from the analytics over the stored
// sessions; the window only scales them. Computed once per change of the sessions, the goal, the
// range or the day, not per frame, so hovering stays cheap over a long history.
struct InsightsFigures {
    // 7 (week) or 30 (month).
    int rangeDays = 7;
    veltrane::Instant now = 0;
    AnalyticsEngine::PeriodSummary summary;
    int streak = 0;
    std::vector<AnalyticsEngine::DailyTotal> days;
    std::array<double, 24> hours {};
    std::optional<int> peakHour;
    std::optional<QString> peakLabel;
    // The five largest subjects, untagged focus pooled as "Unlabeled".
    std::vector<AnalyticsEngine::SubjectTotal> subjects;
    // The last 112 days, oldest first, for the heat map.
    std::vector<AnalyticsEngine::DailyTotal> activity;
    // The daily goal in seconds, at least 1.
    double goal = 1;

    static constexpr int kActivityDays = 112;
    static constexpr std::size_t kSubjectCount = 5;

    static InsightsFigures compute(const AnalyticsEngine& analytics, std::span<const FocusRecord> records,
        int rangeDays, veltrane::Instant now, double dailyGoalMinutes);
    // Switches to another range, recomputing only the summary and the days that depend on it.
    void changeRange(const AnalyticsEngine& analytics, std::span<const FocusRecord> records, int days);

    // "This week" or "This month".
    QString periodTitle() const;
    // The recap the "Share recap" button offers for this range.
    RecapData recap(const veltrane::Calendar& calendar, const QColor& accent) const;
};

// "59m", "1h 0m": whole minutes, hours once there are sixty of them.
QString durationLabel(double seconds);

// The badge beside the focus total: up (the period grew or held) or down, and the whole
// percentage of the change. None when there was nothing to compare with.
struct DeltaBadge {
    bool up = true;
    QString text;

    bool operator==(const DeltaBadge&) const = default;
};
std::optional<DeltaBadge> deltaBadge(std::optional<double> deltaFraction);

// How strongly a heat-map day shows the accent: faint with no focus, from 0.2 up to full at the goal.
double activityOpacity(double seconds, double goal);
// The opacity of a day without focus (a faint fill of the text colour).
inline constexpr double kEmptyActivityOpacity = 0.06;

// The colour of the subject at `index` in the by-subject list (five colours, then round again).
QColor subjectColor(std::size_t index);

} // namespace moorlet
