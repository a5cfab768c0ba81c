#pragma once

namespace moorlet {

// Which phase a focus session is in. Case order matters: it is the order of the declaration.
enum class SessionPhase {
    idle,       // no session; nothing counts
    focusing,   // a focus block is running or armed
    shortBreak, // a short break (Pomodoro) or the earned break (Flowmodoro)
    longBreak,  // the long break that replaces every N-th short break (Pomodoro only)
};

constexpr bool isBreak(SessionPhase phase)
{
    return phase == SessionPhase::shortBreak || phase == SessionPhase::longBreak;
}

} // namespace moorlet
