#include "Moorlet/Views/WidgetMetrics.h"

#include "Moorlet/Focus/FocusController.h"

namespace moorlet::WidgetMetrics {

namespace {

// The rows of a running card fill its height exactly (CardLayout; the layout test checks every
// combination); the idle card keeps the difference free below its rows.
constexpr double kIdleHeight = 612;
constexpr double kRunningHeight = 568;
constexpr double kNowPlayingExtra = 50;
constexpr double kInsightExtra = 30;
constexpr double kExamExtra = 54;

} // namespace

double expandedHeight(SessionPhase phase, const OptionalCardRows& rows)
{
    double height = phase == SessionPhase::idle ? kIdleHeight : kRunningHeight;
    if (rows.nowPlaying)
        height += kNowPlayingExtra;
    if (rows.insight)
        height += kInsightExtra;
    if (rows.exam)
        height += kExamExtra;
    return height;
}

double expandedHeight(const FocusController& controller, const MediaController* media, const LocalDataStore& store)
{
    return expandedHeight(controller.phase(), OptionalCardRows::current(controller, media, store));
}

veltrane::Size expandedPanelSize(double cardHeight)
{
    return { expanded.width + 2 * panelMargin, cardHeight + 2 * panelMargin };
}

} // namespace moorlet::WidgetMetrics
