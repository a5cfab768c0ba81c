#include "Moorlet/Data/JsonRecordReader.h"

#include "Moorlet/Data/Utf8.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include <locale.h>
#include <stdlib.h>

namespace moorlet {

namespace {

constexpr auto kByteOrderMark = std::string_view { "\xEF\xBB\xBF" };

bool isDigit(char character)
{
    return character >= '0' && character <= '9';
}

int hexValue(char digit)
{
    if (isDigit(digit))
        return digit - '0';
    if (digit >= 'a' && digit <= 'f')
        return digit - 'a' + 10;
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    return -1;
}

// A cursor over the text with one reader per JSON token. Each returns false on text that is not
// JSON and leaves the cursor anywhere; the caller then gives up.
class Parser {
public:
    explicit Parser(std::string_view text)
        : m_position(text.data())
        , m_end(text.data() + text.size())
    {
        if (text.starts_with(kByteOrderMark))
            m_position += kByteOrderMark.size();
    }

    bool atEnd() const { return m_position == m_end; }
    char peek() const { return m_position < m_end ? *m_position : '\0'; }

    void skipWhitespace()
    {
        while (m_position < m_end
            && (*m_position == ' ' || *m_position == '\n' || *m_position == '\r' || *m_position == '\t'))
            ++m_position;
    }

    // Consumes `expected` after any white space.
    bool consume(char expected)
    {
        skipWhitespace();
        if (peek() != expected)
            return false;
        ++m_position;
        return true;
    }

    // A string literal, the cursor on its opening quote. The text goes to `out` unless it is null.
    bool readString(std::string* out)
    {
        if (peek() != '"')
            return false;
        ++m_position;
        if (out)
            out->clear();
        for (;;) {
            const char* runStart = m_position;
            while (m_position < m_end) {
                const auto byte = static_cast<unsigned char>(*m_position);
                if (byte == '"' || byte == '\\' || byte < 0x20 || byte >= 0x80)
                    break;
                ++m_position;
            }
            if (out)
                out->append(runStart, m_position);
            if (m_position == m_end)
                return false;
            const auto byte = static_cast<unsigned char>(*m_position);
            if (byte == '"') {
                ++m_position;
                return true;
            }
            if (byte < 0x20)
                return false;
            if (byte == '\\') {
                if (!readEscape(out))
                    return false;
                continue;
            }
            const auto length = Utf8::wellFormedLength(std::string_view(m_position, static_cast<std::size_t>(m_end - m_position)));
            if (length == 0)
                return false;
            if (out)
                out->append(m_position, length);
            m_position += length;
        }
    }

    // A number, read as a double into `out` unless it is null.
    bool readNumber(double* out)
    {
        const char* start = m_position;
        bool integral = true;
        if (peek() == '-')
            ++m_position;
        if (peek() == '0') {
            ++m_position;
        } else if (isDigit(peek())) {
            skipDigits();
        } else {
            return false;
        }
        if (peek() == '.') {
            integral = false;
            ++m_position;
            if (!skipDigits())
                return false;
        }
        if (peek() == 'e' || peek() == 'E') {
            integral = false;
            ++m_position;
            if (peek() == '+' || peek() == '-')
                ++m_position;
            if (!skipDigits())
                return false;
        }
        double value = 0;
        const auto result = std::from_chars(start, m_position, value);
        if (result.ec != std::errc())
            value = outOfRange(start, m_position);
        // A number beyond a double's range is refused wherever it is, as nlohmann::json does.
        if (!std::isfinite(value))
            return false;
        // "-0" is an integer, and integers have no negative zero.
        if (integral && value == 0)
            value = 0;
        if (out)
            *out = value;
        return true;
    }

    bool readLiteral(std::string_view word)
    {
        if (static_cast<std::size_t>(m_end - m_position) < word.size()
            || std::string_view(m_position, word.size()) != word)
            return false;
        m_position += word.size();
        return true;
    }

    // Any scalar; what it holds goes to `out` unless it is null.
    bool readScalar(JsonField* out)
    {
        switch (peek()) {
        case '"': {
            if (!out)
                return readString(nullptr);
            std::string text;
            if (!readString(&text))
                return false;
            *out = std::move(text);
            return true;
        }
        case 't':
            return assign(out, true, readLiteral("true"));
        case 'f':
            return assign(out, false, readLiteral("false"));
        case 'n':
            return assign(out, nullptr, readLiteral("null"));
        default: {
            double number = 0;
            return assign(out, number, readNumber(out ? &number : nullptr));
        }
        }
    }

    // A whole value of any depth, checked but not kept. Nesting is tracked on a stack of the
    // closing brackets still due rather than by recursion.
    bool skipValue()
    {
        std::vector<char> closers;
        for (;;) {
            skipWhitespace();
            // One value starts here.
            const char opening = peek();
            if (opening == '[' || opening == '{') {
                ++m_position;
                skipWhitespace();
                const char closer = opening == '[' ? ']' : '}';
                if (peek() == closer) {
                    ++m_position;
                } else {
                    closers.push_back(closer);
                    if (closer == '}' && !readMemberName())
                        return false;
                    continue;
                }
            } else if (!readScalar(nullptr)) {
                return false;
            }
            // The value is complete: close whatever it completes, up to the next value due.
            for (;;) {
                if (closers.empty())
                    return true;
                skipWhitespace();
                if (peek() == ',') {
                    ++m_position;
                    if (closers.back() == '}' && !(skipWhitespaceThen() && readMemberName()))
                        return false;
                    break;
                }
                if (peek() != closers.back())
                    return false;
                ++m_position;
                closers.pop_back();
            }
        }
    }

    // A member name and its colon, validated and dropped.
    bool readMemberName() { return readString(nullptr) && consume(':'); }

private:
    template <class Value>
    static bool assign(JsonField* out, Value value, bool valid)
    {
        if (valid && out)
            *out = value;
        return valid;
    }

    bool skipWhitespaceThen()
    {
        skipWhitespace();
        return true;
    }

    // from_chars gives no value for a number beyond a double's range; the C library's reading
    // gives infinity for overflow and zero (or the nearest subnormal) for underflow. Always in the
    // C locale: the process locale may want a decimal comma.
    static double outOfRange(const char* start, const char* end)
    {
        static const locale_t cLocale = ::newlocale(LC_NUMERIC_MASK, "C", nullptr);
        const std::string number(start, end);
        return ::strtod_l(number.c_str(), nullptr, cLocale);
    }

    bool skipDigits()
    {
        const char* start = m_position;
        while (isDigit(peek()))
            ++m_position;
        return m_position != start;
    }

    std::optional<char32_t> readHexQuad()
    {
        if (m_end - m_position < 4)
            return std::nullopt;
        char32_t value = 0;
        for (int index = 0; index < 4; ++index) {
            const int digit = hexValue(*m_position++);
            if (digit < 0)
                return std::nullopt;
            value = value << 4 | static_cast<char32_t>(digit);
        }
        return value;
    }

    // An escape, the cursor on its backslash.
    bool readEscape(std::string* out)
    {
        ++m_position;
        if (m_position == m_end)
            return false;
        const char kind = *m_position++;
        char32_t codePoint = 0;
        switch (kind) {
        case '"':
        case '\\':
        case '/':
            codePoint = static_cast<char32_t>(kind);
            break;
        case 'b':
            codePoint = '\b';
            break;
        case 'f':
            codePoint = '\f';
            break;
        case 'n':
            codePoint = '\n';
            break;
        case 'r':
            codePoint = '\r';
            break;
        case 't':
            codePoint = '\t';
            break;
        case 'u': {
            const auto unit = readHexQuad();
            if (!unit || (*unit >= 0xDC00 && *unit <= 0xDFFF))
                return false;
            codePoint = *unit;
            // A high surrogate must be followed by an escaped low one.
            if (codePoint >= 0xD800 && codePoint <= 0xDBFF) {
                if (!readLiteral("\\u"))
                    return false;
                const auto low = readHexQuad();
                if (!low || *low < 0xDC00 || *low > 0xDFFF)
                    return false;
                codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (*low - 0xDC00);
            }
            break;
        }
        default:
            return false;
        }
        if (out)
            Utf8::append(*out, codePoint);
        return true;
    }

    const char* m_position;
    const char* m_end;
};

} // namespace

JsonRecordReader::JsonRecordReader(std::span<const std::string_view> keys)
    : m_keys(keys)
{
}

bool JsonRecordReader::read(std::string_view text, const RecordHandler& onRecord) const
{
    Parser parser(text);
    std::vector<JsonField> fields(m_keys.size());
    // Keys whose (last) value is an array or object, which no field can hold.
    std::vector<bool> structured(m_keys.size());
    std::string name;
    if (!parser.consume('['))
        return false;
    parser.skipWhitespace();
    if (parser.peek() == ']') {
        parser.consume(']');
    } else {
        // One record per round.
        for (;;) {
            if (!parser.consume('{'))
                return false;
            std::fill(fields.begin(), fields.end(), JsonField {});
            std::fill(structured.begin(), structured.end(), false);
            parser.skipWhitespace();
            if (parser.peek() == '}') {
                parser.consume('}');
            } else {
                for (;;) {
                    parser.skipWhitespace();
                    if (!parser.readString(&name) || !parser.consume(':'))
                        return false;
                    parser.skipWhitespace();
                    const auto found = std::find(m_keys.begin(), m_keys.end(), name);
                    const auto slot = static_cast<std::size_t>(found - m_keys.begin());
                    const bool isStructure = parser.peek() == '[' || parser.peek() == '{';
                    if (found == m_keys.end() || isStructure) {
                        if (!parser.skipValue())
                            return false;
                    } else if (!parser.readScalar(&fields[slot])) {
                        return false;
                    }
                    // A key given twice keeps its last value, whatever the first was.
                    if (found != m_keys.end())
                        structured[slot] = isStructure;
                    if (parser.consume(','))
                        continue;
                    if (!parser.consume('}'))
                        return false;
                    break;
                }
            }
            if (std::find(structured.begin(), structured.end(), true) != structured.end() || !onRecord(fields))
                return false;
            if (parser.consume(','))
                continue;
            if (!parser.consume(']'))
                return false;
            break;
        }
    }
    parser.skipWhitespace();
    return parser.atEnd();
}

} // namespace moorlet
