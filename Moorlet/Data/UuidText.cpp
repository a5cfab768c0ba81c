#include "Moorlet/Data/UuidText.h"

#include <array>

namespace moorlet::UuidText {

namespace {

constexpr auto kLength = std::size_t { 36 };
constexpr auto kHexDigits = std::string_view { "0123456789ABCDEF" };

constexpr bool isHyphenPosition(std::size_t position)
{
    return position == 8 || position == 13 || position == 18 || position == 23;
}

// The value of each hexadecimal digit by byte, -1 for every other byte: reading ids is a good part
// of loading a long session log, so it avoids branching on each character.
constexpr std::array<signed char, 256> kHexValues = [] {
    std::array<signed char, 256> values {};
    values.fill(-1);
    for (int digit = 0; digit < 10; ++digit)
        values[static_cast<std::size_t>('0' + digit)] = static_cast<signed char>(digit);
    for (int digit = 0; digit < 6; ++digit) {
        values[static_cast<std::size_t>('a' + digit)] = static_cast<signed char>(10 + digit);
        values[static_cast<std::size_t>('A' + digit)] = static_cast<signed char>(10 + digit);
    }
    return values;
}();

int hexValue(char digit)
{
    return kHexValues[static_cast<unsigned char>(digit)];
}

} // namespace

void append(std::string& out, const QUuid& id)
{
    // The fields in network order are the RFC 4122 bytes; reading them directly saves building a
    // byte array per record when a long list is written.
    std::array<unsigned char, 16> bytes {};
    for (int index = 0; index < 4; ++index)
        bytes[static_cast<std::size_t>(index)] = static_cast<unsigned char>(id.data1 >> (24 - 8 * index));
    bytes[4] = static_cast<unsigned char>(id.data2 >> 8);
    bytes[5] = static_cast<unsigned char>(id.data2);
    bytes[6] = static_cast<unsigned char>(id.data3 >> 8);
    bytes[7] = static_cast<unsigned char>(id.data3);
    for (std::size_t index = 0; index < 8; ++index)
        bytes[8 + index] = id.data4[index];

    std::array<char, kLength> text {};
    std::size_t position = 0;
    for (const unsigned char byte : bytes) {
        if (isHyphenPosition(position))
            text[position++] = '-';
        text[position++] = kHexDigits[byte >> 4];
        text[position++] = kHexDigits[byte & 0xF];
    }
    out.append(text.data(), text.size());
}

std::string format(const QUuid& id)
{
    std::string text;
    text.reserve(kLength);
    append(text, id);
    return text;
}

std::optional<QUuid> parse(std::string_view text)
{
    if (text.size() != kLength || text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-')
        return std::nullopt;
    std::array<unsigned char, 16> bytes {};
    std::size_t byteIndex = 0;
    int invalid = 0;
    for (std::size_t position = 0; position < kLength; position += 2) {
        if (isHyphenPosition(position))
            ++position;
        const int high = hexValue(text[position]);
        const int low = hexValue(text[position + 1]);
        invalid |= high | low;
        bytes[byteIndex++] = static_cast<unsigned char>(high << 4 | low);
    }
    // Any digit that was not one left the sign bit set.
    if (invalid < 0)
        return std::nullopt;
    return QUuid(static_cast<uint>(bytes[0] << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3]),
        static_cast<ushort>(bytes[4] << 8 | bytes[5]), static_cast<ushort>(bytes[6] << 8 | bytes[7]), bytes[8],
        bytes[9], bytes[10], bytes[11], bytes[12], bytes[13], bytes[14], bytes[15]);
}

} // namespace moorlet::UuidText
