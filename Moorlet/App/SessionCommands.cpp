#include "Moorlet/App/SessionCommands.h"

#include "Moorlet/Focus/FocusController.h"

namespace moorlet::SessionCommands {

void toggle(FocusController& controller)
{
    controller.toggle();
}

void skip(FocusController& controller)
{
    controller.engine().skip();
    controller.sync();
}

void reset(FocusController& controller)
{
    controller.engine().reset();
    controller.stopTicking();
    controller.sync();
}

} // namespace moorlet::SessionCommands
