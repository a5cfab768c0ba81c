#include "Moorlet/Recap/RecapData.h"

#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Focus/SessionRecords.h"
#include "Moorlet/Settings/FocusSettings.h"
#include "VeltraneKit/Theme/DesignTokens.h"

#include <QLocale>

#include <algorithm>

namespace moorlet {

namespace {

constexpr std::size_t kBarCount = 7;

} // namespace

QString RecapData::caption() const
{
    if (period == QStringLiteral("Today"))
        return QStringLiteral("of focus today");
    return QStringLiteral("focused ") + period.toLower();
}

std::vector<RecapData::Bar> RecapData::barsFrom(const std::vector<AnalyticsEngine::DailyTotal>& totals,
    const veltrane::Calendar& calendar, veltrane::Instant now)
{
    const auto first = totals.size() > kBarCount ? totals.end() - kBarCount : totals.begin();
    double top = 1;
    for (auto total = first; total != totals.end(); ++total)
        top = std::max(top, total->seconds);
    std::vector<Bar> bars;
    for (auto total = first; total != totals.end(); ++total)
        bars.push_back(Bar { total->seconds / top, weekdayLetter(calendar, total->day), calendar.isSameDay(total->day, now) });
    return bars;
}

RecapData RecapData::today(const FocusController& controller, veltrane::Instant now)
{
    RecapData data;
    data.period = QStringLiteral("Today");
    data.focusLabel = controller.focusTodayLabel();
    data.sessions = controller.completedSessionsToday();
    data.streak = controller.streak();
    data.bestHourLabel = controller.bestHourLabel();
    data.accent = controller.accent();
    if (const auto* store = controller.dataStore()) {
        const auto records = recordsOf(store->sessions());
        const auto& analytics = controller.analytics();
        data.bars = barsFrom(analytics.dailyTotals(records, kBarCount, now), analytics.calendar(), now);
    }
    return data;
}

QString weekdayLetter(const veltrane::Calendar& calendar, veltrane::Instant day)
{
    // The calendar counts 1 = Sunday; Qt counts 1 = Monday … 7 = Sunday.
    const int sundayFirst = calendar.weekday(day);
    const int qtDay = sundayFirst == 1 ? 7 : sundayFirst - 1;
    return QLocale().standaloneDayName(qtDay, QLocale::NarrowFormat);
}

} // namespace moorlet
