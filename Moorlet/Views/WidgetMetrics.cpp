#include "Moorlet/Views/WidgetMetrics.h"

#include "Moorlet/Views/CardLayout.h"

namespace moorlet::WidgetMetrics {

double expandedHeight(const OptionalCardRows& rows)
{
    return CardLayout(rows, expanded.width).requiredHeight();
}

double expandedHeight(const FocusController& controller, const MediaController* media, const LocalDataStore& store)
{
    return expandedHeight(OptionalCardRows::current(controller, media, store));
}

veltrane::Size expandedPanelSize(double cardHeight)
{
    return { expanded.width + 2 * panelMargin, cardHeight + 2 * panelMargin };
}

} // namespace moorlet::WidgetMetrics
