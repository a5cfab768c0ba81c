#include "Moorlet/Views/ViewEnvironment.h"

#include "VeltraneKit/Components/SharedFrameTicker.h"
#include "VeltraneKit/Widget/QtOneShotScheduler.h"

namespace moorlet {

ViewEnvironment ViewEnvironment::resolved() const
{
    ViewEnvironment result = *this;
    if (!result.ticker)
        result.ticker = &veltrane::sharedFrameTicker();
    if (!result.scheduler)
        result.scheduler = std::make_shared<veltrane::QtOneShotScheduler>();
    if (!result.clock)
        result.clock = std::make_shared<veltrane::SystemClock>();
    return result;
}

} // namespace moorlet
