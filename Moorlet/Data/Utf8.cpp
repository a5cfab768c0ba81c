#include "Moorlet/Data/Utf8.h"

namespace moorlet::Utf8 {

namespace {

// How far the well-formed bytes at the start of `text` reach (at most `length`), following
// Table 3-7 of the Unicode standard: the second byte's range depends on the lead byte.
std::size_t validPrefix(std::string_view text, std::size_t& length)
{
    const auto byteAt = [&](std::size_t index) { return static_cast<unsigned char>(text[index]); };
    const unsigned char lead = byteAt(0);
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            secondLow = 0xA0; // overlong
        else if (lead == 0xED)
            secondHigh = 0x9F; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            secondLow = 0x90; // overlong
        else if (lead == 0xF4)
            secondHigh = 0x8F; // beyond U+10FFFF
    } else {
        length = lead < 0x80 ? 1 : 0;
        return length;
    }
    std::size_t index = 1;
    for (; index < length && index < text.size(); ++index) {
        const unsigned char low = index == 1 ? secondLow : 0x80;
        const unsigned char high = index == 1 ? secondHigh : 0xBF;
        if (byteAt(index) < low || byteAt(index) > high)
            break;
    }
    return index;
}

} // namespace

std::size_t wellFormedLength(std::string_view text)
{
    if (text.empty())
        return 0;
    std::size_t length = 0;
    const auto valid = validPrefix(text, length);
    return valid == length ? length : 0;
}

std::size_t maximalSubpartLength(std::string_view text)
{
    if (text.empty())
        return 0;
    std::size_t length = 0;
    const auto valid = validPrefix(text, length);
    return valid == 0 ? 1 : valid;
}

char32_t decode(std::string_view text, std::size_t length)
{
    const auto byteAt = [&](std::size_t index) { return static_cast<unsigned char>(text[index]); };
    if (length == 1)
        return byteAt(0);
    char32_t codePoint = byteAt(0) & (0x7F >> length);
    for (std::size_t index = 1; index < length; ++index)
        codePoint = codePoint << 6 | (byteAt(index) & 0x3F);
    return codePoint;
}

} // namespace moorlet::Utf8
