#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace moorlet {

// One field of a flat JSON object as read: absent, null, a Boolean, a number or a string.
using JsonField = std::variant<std::monostate, std::nullptr_t, bool, double, std::string>;

// Reads a JSON array of flat objects into the fields under a fixed set of keys, one object at a
// time. It reads with simdjson, which is fast enough for a long session log at every start and is
// fuzzed continuously upstream: strict JSON (RFC 8259) with its UTF-8 checked, where a zero byte
// anywhere fails the text rather than ending it, so that such a file is kept aside rather than half
// read. It accepts and rejects what nlohmann::json does otherwise (RecordJsonTest compares the two
// on random and damaged texts).
class JsonRecordReader {
public:
    // The fields of one object, in the order of the reader's keys; a key the object lacks is
    // std::monostate. A handler may move strings out.
    using Fields = std::span<JsonField>;
    using RecordHandler = std::function<bool(Fields)>;

    // `keys` are the names a record is read from. Values under other keys are skipped, whatever
    // they hold; a key that appears twice keeps its last value. The keys must outlive the reader.
    explicit JsonRecordReader(std::span<const std::string_view> keys);

    // Reads `text` as one JSON array of objects (a UTF-8 byte order mark may lead). Returns false
    // when the text is not valid JSON, is not an array, holds anything but objects, gives one of
    // the keys an array or object value, or when `onRecord` returns false. Reading stops at the
    // first problem; records handed over before it stay with the caller. Numbers read as doubles;
    // one too large for a double makes the text invalid.
    bool read(std::string_view text, const RecordHandler& onRecord) const;

private:
    std::span<const std::string_view> m_keys;
};

} // namespace moorlet
