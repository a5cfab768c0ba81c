#pragma once

#include "Moorlet/Data/FocusSession.h"

#include <cstdint>
#include <string>
#include <vector>

// A made-up but plausible history for the insights window's tests, screenshots and benchmarks:
// `count` sessions spread over the `days` days before `now`, mostly in the morning and the
// afternoon, tagged with six subjects (and some untagged), a few cut short. The same arguments
// always give the same sessions.
namespace focushistory {

inline std::vector<moorlet::FocusSession> make(double now, int days, int count)
{
    static const char* const subjects[] = { "Maths", "Physics", "Writing", "Chemistry", "History", "Piano", "" };
    std::vector<moorlet::FocusSession> sessions;
    sessions.reserve(static_cast<std::size_t>(count));
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    const double firstDay = std::floor(now / 86400) * 86400 - (days - 1) * 86400.0;
    for (int index = 0; index < count; ++index) {
        const int day = static_cast<int>(next() % static_cast<std::uint32_t>(days));
        // Mornings and afternoons, the odd evening.
        static const int hours[] = { 8, 9, 9, 10, 10, 10, 11, 14, 15, 15, 16, 20 };
        const int hour = hours[next() % std::size(hours)];
        const double start = firstDay + day * 86400.0 + hour * 3600.0 + (next() % 50) * 60.0;
        if (start > now - 1800)
            continue;
        moorlet::FocusSession session;
        session.startDate = start;
        session.duration = (next() % 5 == 0) ? 600.0 + (next() % 900) : 1500.0;
        session.completed = session.duration == 1500.0;
        session.mode = "pomodoro";
        // Subjects weighted so the by-subject card has a clear order.
        const auto pick = next() % 28;
        const std::string subject = subjects[pick < 9 ? 0 : pick < 15 ? 1 : pick < 19 ? 2 : pick < 22 ? 3 : pick < 24 ? 4 : pick < 25 ? 5 : 6];
        if (!subject.empty())
            session.subjectTag = subject;
        sessions.push_back(session);
    }
    return sessions;
}

} // namespace focushistory
