#include "Moorlet/Data/JsonRecordWriter.h"

#include "Moorlet/Data/Iso8601.h"
#include "Moorlet/Data/Utf8.h"
#include "Moorlet/Data/UuidText.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cassert>
#include <cmath>

namespace moorlet {

namespace {

constexpr auto kReplacementCharacter = std::string_view { "\xEF\xBF\xBD" };
constexpr auto kHexDigits = std::string_view { "0123456789abcdef" };

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
            const auto rest = text.substr(position);
            if (const auto length = Utf8::wellFormedLength(rest)) {
                out.append(rest.data(), length);
                position += length;
            } else {
                out += kReplacementCharacter;
                position += Utf8::maximalSubpartLength(rest);
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
