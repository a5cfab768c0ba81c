#pragma once

#include <optional>
#include <string_view>

namespace moorlet {

// What one start of the program asks for: run the application, or hand a request to the
// instance that already runs.
enum class AppCommand {
    // Start the application; when one already runs, show its widget instead.
    launch,
    // Start or pause focus, as the card's play button does.
    toggle,
    // End the current phase and move on to the next.
    skip,
    // Stop the session and return to idle.
    reset,
    // Print one line of JSON describing the running session.
    status,
};

// The name a command travels under on the instance's D-Bus interface ("Toggle", …).
std::string_view methodName(AppCommand command);

} // namespace moorlet
