#pragma once

#include "VeltraneKit/Time/Clock.h"

#include <optional>
#include <string>
#include <string_view>

namespace moorlet::Iso8601 {

// The instant as internet date-time text in UTC with whole seconds and a "Z" suffix, e.g.
// "2026-12-05T08:27:58Z". Fractions of a second are dropped (the instant is floored). Instants
// outside the years 0000 to 9999 are clamped to that range and a non-finite instant writes the
// epoch, so the text is always one that parse() reads back.
std::string format(veltrane::Instant instant);
// Appends format(instant) to `out` without a temporary string.
void append(std::string& out, veltrane::Instant instant);

// Reads RFC 3339 internet date-time text: "YYYY-MM-DDTHH:MM:SS", an optional fraction, then "Z"
// or a "+HH:MM"/"-HH:MM" offset. Anything else, or a field out of range (month 13, 30 February,
// hour 24, second 60), gives nothing.
std::optional<veltrane::Instant> parse(std::string_view text);

} // namespace moorlet::Iso8601
