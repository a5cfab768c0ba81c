#include "Moorlet/Data/Iso8601.h"

#include <date/date.h>

#include <cmath>

namespace moorlet::Iso8601 {

namespace {

// 0000-01-01T00:00:00Z and 9999-12-31T23:59:59Z: the range four-digit years can write.
constexpr auto kEarliest = -62167219200.0;
constexpr auto kLatest = 253402300799.0;
constexpr auto kSecondsPerDay = std::int64_t { 86400 };

void appendDigits(std::string& out, unsigned value, int width)
{
    char digits[8];
    for (int index = width - 1; index >= 0; --index) {
        digits[index] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    out.append(digits, static_cast<std::size_t>(width));
}

// Reads exactly `width` decimal digits at `position`.
std::optional<int> readDigits(std::string_view text, std::size_t position, std::size_t width)
{
    if (position + width > text.size())
        return std::nullopt;
    int value = 0;
    for (std::size_t index = position; index < position + width; ++index) {
        const char digit = text[index];
        if (digit < '0' || digit > '9')
            return std::nullopt;
        value = value * 10 + (digit - '0');
    }
    return value;
}

bool hasChar(std::string_view text, std::size_t position, char expected)
{
    return position < text.size() && text[position] == expected;
}

} // namespace

void append(std::string& out, veltrane::Instant instant)
{
    double clamped = std::isfinite(instant) ? std::floor(instant) : 0.0;
    clamped = std::min(std::max(clamped, kEarliest), kLatest);
    const auto seconds = static_cast<std::int64_t>(clamped);
    // Floor division keeps times before 1970 on the right day.
    auto days = seconds / kSecondsPerDay;
    auto secondOfDay = seconds % kSecondsPerDay;
    if (secondOfDay < 0) {
        secondOfDay += kSecondsPerDay;
        --days;
    }
    const date::year_month_day day { date::sys_days { date::days { days } } };
    appendDigits(out, static_cast<unsigned>(static_cast<int>(day.year())), 4);
    out += '-';
    appendDigits(out, static_cast<unsigned>(day.month()), 2);
    out += '-';
    appendDigits(out, static_cast<unsigned>(day.day()), 2);
    out += 'T';
    appendDigits(out, static_cast<unsigned>(secondOfDay / 3600), 2);
    out += ':';
    appendDigits(out, static_cast<unsigned>(secondOfDay / 60 % 60), 2);
    out += ':';
    appendDigits(out, static_cast<unsigned>(secondOfDay % 60), 2);
    out += 'Z';
}

std::string format(veltrane::Instant instant)
{
    std::string text;
    text.reserve(20);
    append(text, instant);
    return text;
}

std::optional<veltrane::Instant> parse(std::string_view text)
{
    const auto year = readDigits(text, 0, 4);
    const auto month = readDigits(text, 5, 2);
    const auto day = readDigits(text, 8, 2);
    const auto hour = readDigits(text, 11, 2);
    const auto minute = readDigits(text, 14, 2);
    const auto second = readDigits(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second)
        return std::nullopt;
    if (!hasChar(text, 4, '-') || !hasChar(text, 7, '-') || !hasChar(text, 13, ':')
        || !hasChar(text, 16, ':') || !(hasChar(text, 10, 'T') || hasChar(text, 10, 't')))
        return std::nullopt;
    const date::year_month_day civil { date::year { *year }, date::month { static_cast<unsigned>(*month) },
        date::day { static_cast<unsigned>(*day) } };
    if (!civil.ok() || *hour > 23 || *minute > 59 || *second > 59)
        return std::nullopt;

    std::size_t position = 19;
    double fraction = 0;
    if (hasChar(text, position, '.')) {
        ++position;
        double scale = 0.1;
        const auto firstDigit = position;
        while (position < text.size() && text[position] >= '0' && text[position] <= '9') {
            fraction += (text[position] - '0') * scale;
            scale /= 10;
            ++position;
        }
        if (position == firstDigit)
            return std::nullopt;
    }

    int offsetSeconds = 0;
    if (hasChar(text, position, 'Z') || hasChar(text, position, 'z')) {
        ++position;
    } else if (hasChar(text, position, '+') || hasChar(text, position, '-')) {
        const int sign = text[position] == '-' ? -1 : 1;
        const auto offsetHours = readDigits(text, position + 1, 2);
        const auto offsetMinutes = readDigits(text, position + 4, 2);
        if (!offsetHours || !offsetMinutes || !hasChar(text, position + 3, ':') || *offsetHours > 23
            || *offsetMinutes > 59)
            return std::nullopt;
        offsetSeconds = sign * (*offsetHours * 3600 + *offsetMinutes * 60);
        position += 6;
    } else {
        return std::nullopt;
    }
    if (position != text.size())
        return std::nullopt;

    const auto days = date::sys_days { civil }.time_since_epoch().count();
    const auto seconds = static_cast<std::int64_t>(days) * kSecondsPerDay + *hour * 3600 + *minute * 60 + *second
        - offsetSeconds;
    return static_cast<double>(seconds) + fraction;
}

} // namespace moorlet::Iso8601
