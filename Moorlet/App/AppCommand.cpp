#include "Moorlet/App/AppCommand.h"

namespace moorlet {

std::string_view methodName(AppCommand command)
{
    switch (command) {
    case AppCommand::launch:
        return "Activate";
    case AppCommand::toggle:
        return "Toggle";
    case AppCommand::skip:
        return "Skip";
    case AppCommand::reset:
        return "Reset";
    case AppCommand::status:
        return "Status";
    }
    return "Activate";
}

} // namespace moorlet
