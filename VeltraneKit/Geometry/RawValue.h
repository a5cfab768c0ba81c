#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace veltrane {

// The case among `cases` whose raw value (the enumeration's rawValue overload) is exactly
// `text`, or nothing.
template<typename Enum, std::size_t N>
std::optional<Enum> caseWithRawValue(const std::array<Enum, N>& cases, std::string_view text)
{
    for (Enum value : cases) {
        if (rawValue(value) == text)
            return value;
    }
    return std::nullopt;
}

} // namespace veltrane
