#include "Moorlet/Data/JsonRecordWriter.h"

#include "Moorlet/Data/Iso8601.h"
#include "Moorlet/Data/UuidText.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cassert>
#include <cmath>

namespace moorlet {

namespace {

constexpr auto kReplacementCharacter = std::string_view { "\xEF\xBF\xBD" };
constexpr auto kHexDigits = std::string_view { "0123456789abcdef" };

// The length of the well-formed UTF-8 sequence at the start of `text`, or 0 when the bytes there
// are ill-formed; `maximalSubpart` then says how many bytes to replace by one U+FFFD (the longest
// prefix that could have begun a valid sequence, at least one byte).
std::size_t wellFormedLength(std::string_view text, std::size_t& maximalSubpart)
{
    const auto byteAt = [&](std::size_t index) { return static_cast<unsigned char>(text[index]); };
    const unsigned char lead = byteAt(0);
    std::size_t length = 0;
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
        maximalSubpart = 1;
        return 0;
    }
    std::size_t index = 1;
    for (; index < length && index < text.size(); ++index) {
        const unsigned char low = index == 1 ? secondLow : 0x80;
        const unsigned char high = index == 1 ? secondHigh : 0xBF;
        if (byteAt(index) < low || byteAt(index) > high)
            break;
    }
    if (index == length)
        return length;
    maximalSubpart = index;
    return 0;
}

} // namespace

JsonRecordWriter::JsonRecordWriter(std::string& out)
    : m_out(out)
{
    m_out += '[';
}

void JsonRecordWriter::beginObject()
{
    m_out += m_firstObject ? "\n  {" : ",\n  {";
    m_firstObject = false;
    m_firstField = true;
}

void JsonRecordWriter::endObject()
{
    m_out += m_firstField ? "}" : "\n  }";
}

void JsonRecordWriter::beginField(std::string_view key)
{
    m_out += m_firstField ? "\n    \"" : ",\n    \"";
    m_firstField = false;
    m_out += key;
    m_out += "\": ";
}

void JsonRecordWriter::field(std::string_view key, std::string_view text)
{
    beginField(key);
    appendString(m_out, text);
}

void JsonRecordWriter::field(std::string_view key, double number)
{
    beginField(key);
    appendNumber(m_out, number);
}

void JsonRecordWriter::field(std::string_view key, bool flag)
{
    beginField(key);
    m_out += flag ? "true" : "false";
}

void JsonRecordWriter::dateField(std::string_view key, double instant)
{
    beginField(key);
    m_out += '"';
    Iso8601::append(m_out, instant);
    m_out += '"';
}

void JsonRecordWriter::idField(std::string_view key, const QUuid& id)
{
    beginField(key);
    m_out += '"';
    UuidText::append(m_out, id);
    m_out += '"';
}

void JsonRecordWriter::finish()
{
    m_out += m_firstObject ? "]" : "\n]";
}

void JsonRecordWriter::appendString(std::string& out, std::string_view text)
{
    out += '"';
    std::size_t position = 0;
    while (position < text.size()) {
        // Copy the longest run that needs no attention in one go.
        std::size_t runEnd = position;
        while (runEnd < text.size()) {
            const auto byte = static_cast<unsigned char>(text[runEnd]);
            if (byte < 0x20 || byte == '"' || byte == '\\' || byte >= 0x80)
                break;
            ++runEnd;
        }
        out.append(text.data() + position, runEnd - position);
        position = runEnd;
        if (position == text.size())
            break;

        const auto byte = static_cast<unsigned char>(text[position]);
        if (byte >= 0x80) {
            std::size_t maximalSubpart = 0;
            const auto length = wellFormedLength(text.substr(position), maximalSubpart);
            if (length > 0) {
                out.append(text.data() + position, length);
                position += length;
            } else {
                out += kReplacementCharacter;
                position += maximalSubpart;
            }
            continue;
        }
        switch (byte) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += "\\u00";
            out += kHexDigits[byte >> 4];
            out += kHexDigits[byte & 0xF];
            break;
        }
        ++position;
    }
    out += '"';
}

void JsonRecordWriter::appendNumber(std::string& out, double number)
{
    if (!std::isfinite(number))
        number = 0;
    // The same shortest round-trip digits and layout as nlohmann::json's own serializer, so the
    // files read the same whichever way they were written.
    std::array<char, 64> digits {};
    const char* end = nlohmann::detail::to_chars(digits.data(), digits.data() + digits.size(), number);
    out.append(digits.data(), static_cast<std::size_t>(end - digits.data()));
}

} // namespace moorlet
