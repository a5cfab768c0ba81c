#include "VeltraneKit/Geometry/WidgetMode.h"

#include "VeltraneKit/Geometry/RawValue.h"

namespace veltrane {

std::string_view rawValue(WidgetMode mode)
{
    switch (mode) {
    case WidgetMode::floating:
        return "floating";
    case WidgetMode::menuBar:
        return "menuBar";
    }
    return {};
}

std::optional<WidgetMode> widgetMode(std::string_view text)
{
    return caseWithRawValue(kAllWidgetModes, text);
}

} // namespace veltrane
