#include "MoorletCore/SessionMode.h"

namespace moorlet {

SessionMode SessionMode::pomodoro(const PomodoroConfig& config)
{
    return SessionMode(Payload(std::in_place_type<PomodoroConfig>, config));
}

SessionMode SessionMode::flowmodoro(const FlowmodoroConfig& config)
{
    return SessionMode(Payload(std::in_place_type<FlowmodoroConfig>, config));
}

SessionMode SessionMode::untilTime(veltrane::Instant target)
{
    return SessionMode(Payload(std::in_place_type<UntilTime>, UntilTime { target }));
}

std::optional<PomodoroConfig> SessionMode::pomodoroConfig() const
{
    if (const auto* config = std::get_if<PomodoroConfig>(&m_payload))
        return *config;
    return std::nullopt;
}

std::optional<FlowmodoroConfig> SessionMode::flowmodoroConfig() const
{
    if (const auto* config = std::get_if<FlowmodoroConfig>(&m_payload))
        return *config;
    return std::nullopt;
}

std::optional<veltrane::Instant> SessionMode::untilTarget() const
{
    if (const auto* until = std::get_if<UntilTime>(&m_payload))
        return until->target;
    return std::nullopt;
}

std::string_view SessionMode::name(Kind kind)
{
    switch (kind) {
    case Kind::pomodoro:
        return "pomodoro";
    case Kind::flowmodoro:
        return "flowmodoro";
    case Kind::untilTime:
        return "untilTime";
    }
    return "pomodoro";
}

} // namespace moorlet
