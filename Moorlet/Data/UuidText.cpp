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

int hexValue(char digit)
{
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'a' && digit <= 'f')
        return digit - 'a' + 10;
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    return -1;
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
    if (text.size() != kLength)
        return std::nullopt;
    std::array<unsigned char, 16> bytes {};
    std::size_t byteIndex = 0;
    for (std::size_t position = 0; position < kLength;) {
        if (isHyphenPosition(position)) {
            if (text[position] != '-')
                return std::nullopt;
            ++position;
            continue;
        }
        const int high = hexValue(text[position]);
        const int low = hexValue(text[position + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes[byteIndex++] = static_cast<unsigned char>(high << 4 | low);
        position += 2;
    }
    return QUuid(static_cast<uint>(bytes[0] << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3]),
        static_cast<ushort>(bytes[4] << 8 | bytes[5]), static_cast<ushort>(bytes[6] << 8 | bytes[7]), bytes[8],
        bytes[9], bytes[10], bytes[11], bytes[12], bytes[13], bytes[14], bytes[15]);
}

} // namespace moorlet::UuidText
