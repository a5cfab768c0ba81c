#pragma once

#include <QUuid>

#include <string>
#include <string_view>

namespace moorlet {

// Writes a JSON array of flat objects straight into text, laid out as the data files are: two
// spaces of indentation per level, `"key": value`, no line feed after the closing bracket. It
// writes byte for byte what nlohmann::json's dump(2) writes for the same values, without
// building a document first, which matters when the session log holds a hundred thousand
// records and is rewritten on every change.
//
// Callers give each object's keys in sorted order. Text that is not valid UTF-8 is written with
// U+FFFD in place of each ill-formed sequence, so a stray byte can never make a file unwritable.
// A number that is not finite is written as 0 so that the file stays readable.
class JsonRecordWriter {
public:
    explicit JsonRecordWriter(std::string& out);

    void beginObject();
    void endObject();
    void field(std::string_view key, std::string_view text);
    void field(std::string_view key, double number);
    void field(std::string_view key, bool flag);
    // Writes an ISO 8601 date value (see Iso8601::format).
    void dateField(std::string_view key, double instant);
    // Writes a UUID as its upper-case text (see UuidText::format).
    void idField(std::string_view key, const QUuid& id);
    // Closes the array. The writer must not be used afterwards.
    void finish();

    // Appends `text` as a JSON string literal, quotes included.
    static void appendString(std::string& out, std::string_view text);
    // Appends the shortest text that reads back as `number`, as nlohmann::json writes it.
    static void appendNumber(std::string& out, double number);

private:
    void beginField(std::string_view key);

    std::string& m_out;
    bool m_firstObject = true;
    bool m_firstField = true;
};

} // namespace moorlet
