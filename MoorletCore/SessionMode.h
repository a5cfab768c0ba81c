#pragma once

#include "MoorletCore/FlowmodoroConfig.h"
#include "MoorletCore/PomodoroConfig.h"
#include "VeltraneKit/Time/Clock.h"

#include <optional>
#include <string_view>
#include <variant>

namespace moorlet {

// Which kind of session runs, with its configuration. A tagged value with three cases:
// pomodoro (a PomodoroConfig), flowmodoro (a FlowmodoroConfig) and untilTime (a target instant).
// Two modes are equal when they have the same case and equal payloads.
class SessionMode {
public:
    enum class Kind {
        pomodoro,   // focus counts down, then a short or long break
        flowmodoro, // focus counts up, then the earned break
        untilTime,  // focus counts down to an instant, then the session ends
    };

    // The payload of the untilTime case.
    struct UntilTime {
        veltrane::Instant target = 0;
        bool operator==(const UntilTime&) const = default;
    };

    using Payload = std::variant<PomodoroConfig, FlowmodoroConfig, UntilTime>;

    // The standard Pomodoro mode.
    SessionMode() = default;

    static SessionMode pomodoro(const PomodoroConfig& config = PomodoroConfig::standard());
    static SessionMode flowmodoro(const FlowmodoroConfig& config = FlowmodoroConfig::standard());
    static SessionMode untilTime(veltrane::Instant target);

    Kind kind() const { return static_cast<Kind>(m_payload.index()); }
    const Payload& payload() const { return m_payload; }

    // The payload of the matching case, or nothing for the other cases.
    std::optional<PomodoroConfig> pomodoroConfig() const;
    std::optional<FlowmodoroConfig> flowmodoroConfig() const;
    std::optional<veltrane::Instant> untilTarget() const;

    bool isPomodoro() const { return kind() == Kind::pomodoro; }
    bool isFlowmodoro() const { return kind() == Kind::flowmodoro; }
    bool isUntilTime() const { return kind() == Kind::untilTime; }

    // The name logged with every focus block: "pomodoro", "flowmodoro" or "untilTime".
    std::string_view name() const { return name(kind()); }
    static std::string_view name(Kind kind);

    bool operator==(const SessionMode&) const = default;

private:
    explicit SessionMode(Payload payload)
        : m_payload(payload)
    {
    }

    Payload m_payload;
};

} // namespace moorlet
