#include "Moorlet/Data/JsonRecordReader.h"

#include <simdjson.h>

#include <algorithm>

namespace moorlet {

namespace {

constexpr auto kByteOrderMark = std::string_view { "\xEF\xBB\xBF" };

// One field's value as simdjson read it; false for an array or object, which no field holds.
bool readScalar(simdjson::dom::element value, JsonField& out)
{
    using Type = simdjson::dom::element_type;
    switch (value.type()) {
    case Type::STRING:
        out = std::string(value.get_string().value_unsafe());
        return true;
    case Type::INT64:
        out = static_cast<double>(value.get_int64().value_unsafe());
        return true;
    case Type::UINT64:
        out = static_cast<double>(value.get_uint64().value_unsafe());
        return true;
    case Type::DOUBLE:
        out = value.get_double().value_unsafe();
        return true;
    case Type::BOOL:
        out = value.get_bool().value_unsafe();
        return true;
    case Type::NULL_VALUE:
        out = nullptr;
        return true;
    default:
        return false;
    }
}

} // namespace

JsonRecordReader::JsonRecordReader(std::span<const std::string_view> keys)
    : m_keys(keys)
{
}

bool JsonRecordReader::read(std::string_view text, const RecordHandler& onRecord) const
{
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    // simdjson reads past the end of its input; the padded copy gives it room, and a zero byte
    // anywhere then fails the text rather than ending it early.
    const simdjson::padded_string padded(text);
    // One parser per thread keeps its buffers between files instead of allocating them anew.
    thread_local simdjson::dom::parser parser;
    simdjson::dom::array records;
    if (parser.parse(padded).get_array().get(records) != simdjson::SUCCESS)
        return false;

    std::vector<JsonField> fields(m_keys.size());
    // Keys whose (last) value is an array or object, which no field can hold.
    std::vector<bool> structured(m_keys.size());
    for (const simdjson::dom::element element : records) {
        simdjson::dom::object object;
        if (element.get_object().get(object) != simdjson::SUCCESS)
            return false;
        std::fill(fields.begin(), fields.end(), JsonField {});
        std::fill(structured.begin(), structured.end(), false);
        for (const auto member : object) {
            const auto found = std::find(m_keys.begin(), m_keys.end(), member.key);
            if (found == m_keys.end())
                continue;
            const auto slot = static_cast<std::size_t>(found - m_keys.begin());
            // A key given twice keeps its last value, whatever the first was.
            structured[slot] = !readScalar(member.value, fields[slot]);
        }
        if (std::find(structured.begin(), structured.end(), true) != structured.end() || !onRecord(fields))
            return false;
    }
    return true;
}

} // namespace moorlet
