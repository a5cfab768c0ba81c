#include "Moorlet/Data/JsonRecordReader.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <optional>

namespace moorlet {

namespace {

// The SAX events of one parse. Depth 0 is outside the array, 1 inside it, 2 inside a record;
// anything deeper is a value under an unknown key that is being skipped.
class RecordArrayHandler {
public:
    RecordArrayHandler(std::span<const std::string_view> keys, const JsonRecordReader::RecordHandler& onRecord)
        : m_keys(keys)
        , m_onRecord(onRecord)
        , m_fields(keys.size())
    {
    }

    bool null() { return scalar(nullptr); }
    bool boolean(bool value) { return scalar(value); }
    bool number_integer(std::int64_t value) { return scalar(static_cast<double>(value)); }
    bool number_unsigned(std::uint64_t value) { return scalar(static_cast<double>(value)); }
    bool number_float(double value, const std::string&) { return scalar(value); }
    bool string(std::string& value)
    {
        if (m_depth == kRecordDepth && m_slot) {
            m_fields[*m_slot] = std::move(value);
            return true;
        }
        return m_depth > kRecordDepth;
    }
    bool binary(nlohmann::json::binary_t&) { return false; }

    bool start_object(std::size_t)
    {
        if (m_depth == kArrayDepth) {
            std::fill(m_fields.begin(), m_fields.end(), JsonField {});
            m_slot.reset();
            m_depth = kRecordDepth;
            return true;
        }
        return startNested();
    }

    bool key(std::string& name)
    {
        if (m_depth == kRecordDepth) {
            const auto found = std::find(m_keys.begin(), m_keys.end(), name);
            m_slot = found == m_keys.end() ? std::nullopt
                                           : std::optional<std::size_t>(static_cast<std::size_t>(found - m_keys.begin()));
        }
        return true;
    }

    bool end_object()
    {
        if (m_depth == kRecordDepth) {
            m_depth = kArrayDepth;
            return m_onRecord(m_fields);
        }
        --m_depth;
        return true;
    }

    bool start_array(std::size_t)
    {
        if (m_depth == kOutsideDepth) {
            m_depth = kArrayDepth;
            return true;
        }
        return startNested();
    }

    bool end_array()
    {
        --m_depth;
        return true;
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) { return false; }

private:
    static constexpr int kOutsideDepth = 0;
    static constexpr int kArrayDepth = 1;
    static constexpr int kRecordDepth = 2;

    bool scalar(JsonField value)
    {
        if (m_depth == kRecordDepth) {
            if (m_slot)
                m_fields[*m_slot] = std::move(value);
            return true;
        }
        // A scalar as the whole text or as an element of the array is not a record.
        return m_depth > kRecordDepth;
    }

    // An array or object inside a record: skipped under an unknown key, refused under a known
    // one (no field holds a structure). Elsewhere an array or object is not a record.
    bool startNested()
    {
        if (m_depth < kRecordDepth || (m_depth == kRecordDepth && m_slot))
            return false;
        ++m_depth;
        return true;
    }

    std::span<const std::string_view> m_keys;
    const JsonRecordReader::RecordHandler& m_onRecord;
    std::vector<JsonField> m_fields;
    std::optional<std::size_t> m_slot;
    int m_depth = kOutsideDepth;
};

} // namespace

JsonRecordReader::JsonRecordReader(std::span<const std::string_view> keys)
    : m_keys(keys)
{
}

bool JsonRecordReader::read(std::string_view text, const RecordHandler& onRecord) const
{
    RecordArrayHandler handler(m_keys, onRecord);
    // The parser reports its own errors through the handler; the guard is for what a parse of
    // untrusted text might still throw (running out of memory on a huge string).
    try {
        return nlohmann::json::sax_parse(text.begin(), text.end(), &handler, nlohmann::json::input_format_t::json,
            /*strict=*/true, /*ignore_comments=*/false);
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace moorlet
