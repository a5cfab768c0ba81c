#include "VeltraneKit/Components/SharedFrameTicker.h"

#include "VeltraneKit/Components/QtFrameDriver.h"
#include "VeltraneKit/Motion/MonotonicClock.h"

namespace veltrane {

FrameTicker& sharedFrameTicker()
{
    // Never destroyed: animators in widgets torn down at exit may still detach from it.
    static FrameTicker* ticker = new FrameTicker(std::make_shared<MonotonicClock>(), std::make_unique<QtFrameDriver>());
    return *ticker;
}

} // namespace veltrane
