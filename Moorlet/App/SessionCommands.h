#pragma once

namespace moorlet {

class FocusController;

// The session actions that the tray menu, the hot key and the command line share, each ending
// with the controller's mirrors brought up to date.
namespace SessionCommands {

// Starts focus from idle, pauses a running phase, resumes a paused one.
void toggle(FocusController& controller);
// Ends the current phase and moves on to the next one (nothing happens while idle).
void skip(FocusController& controller);
// Stops the session: the engine returns to idle and the ticker stops.
void reset(FocusController& controller);

} // namespace SessionCommands

} // namespace moorlet
