#include "MoorletCore/PomodoroConfig.h"

namespace moorlet {

PomodoroConfig::PomodoroConfig(veltrane::Seconds focus, veltrane::Seconds shortBreak,
    veltrane::Seconds longBreak, int longBreakInterval)
    : focus(focus)
    , shortBreak(shortBreak)
    , longBreak(longBreak)
    , longBreakInterval(longBreakInterval >= 2 ? longBreakInterval : 1)
{
}

} // namespace moorlet
