#include "VeltraneKit/Geometry/PointText.h"

#include <array>
#include <charconv>
#include <cmath>

namespace veltrane::PointText {

namespace {

void appendNumber(std::string& text, double value)
{
    std::array<char, 32> buffer {};
    // Adding zero turns -0 into 0, so the origin never reads "{-0, 0}".
    auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value + 0.0);
    if (error == std::errc())
        text.append(buffer.data(), end);
    else
        text.append("0");
}

bool startsNumber(char c)
{
    return (c >= '0' && c <= '9') || c == '-' || c == '.';
}

} // namespace

std::string format(Point point)
{
    std::string text = "{";
    appendNumber(text, point.x);
    text.append(", ");
    appendNumber(text, point.y);
    text.append("}");
    return text;
}

std::optional<Point> parse(std::string_view text)
{
    std::array<double, 2> numbers {};
    std::size_t found = 0;
    const char* position = text.data();
    const char* end = text.data() + text.size();
    while (position < end && found < numbers.size()) {
        if (!startsNumber(*position)) {
            ++position;
            continue;
        }
        double value = 0;
        auto [next, error] = std::from_chars(position, end, value);
        if (error == std::errc::invalid_argument) {
            // A lone "-" or "." starts nothing; keep scanning after it.
            ++position;
            continue;
        }
        if (error != std::errc() || !std::isfinite(value))
            return std::nullopt;
        numbers[found++] = value;
        position = next;
    }
    if (found < numbers.size())
        return std::nullopt;
    return Point { numbers[0], numbers[1] };
}

} // namespace veltrane::PointText
