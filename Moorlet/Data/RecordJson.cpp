#include "Moorlet/Data/RecordJson.h"

#include "Moorlet/Data/Iso8601.h"
#include "Moorlet/Data/JsonRecordReader.h"
#include "Moorlet/Data/JsonRecordWriter.h"
#include "Moorlet/Data/UuidText.h"

#include <array>
#include <cmath>

namespace moorlet::RecordJson {

namespace {

// Field slots, in the sorted order the keys are written in.
namespace SessionKey {
enum : std::size_t { completed, duration, id, intention, mode, startDate, subjectTag };
constexpr std::array<std::string_view, 7> names { "completed", "duration", "id", "intention", "mode", "startDate",
    "subjectTag" };
} // namespace SessionKey

namespace TaskKey {
enum : std::size_t { createdAt, done, id, loggedSeconds, title };
constexpr std::array<std::string_view, 5> names { "createdAt", "done", "id", "loggedSeconds", "title" };
} // namespace TaskKey

namespace DeadlineKey {
enum : std::size_t { date, id, subject, title };
constexpr std::array<std::string_view, 4> names { "date", "id", "subject", "title" };
} // namespace DeadlineKey

// Reads one field of a record; each gives nothing when the field is absent or of another type.
class FieldReader {
public:
    explicit FieldReader(JsonRecordReader::Fields fields)
        : m_fields(fields)
    {
    }

    std::optional<std::string> string(std::size_t slot) const
    {
        if (auto* text = std::get_if<std::string>(&m_fields[slot]))
            return std::move(*text);
        return std::nullopt;
    }

    std::optional<double> number(std::size_t slot) const
    {
        const auto* number = std::get_if<double>(&m_fields[slot]);
        if (!number || !std::isfinite(*number))
            return std::nullopt;
        return *number;
    }

    std::optional<bool> flag(std::size_t slot) const
    {
        if (const auto* flag = std::get_if<bool>(&m_fields[slot]))
            return *flag;
        return std::nullopt;
    }

    std::optional<QUuid> id(std::size_t slot) const
    {
        if (const auto* text = std::get_if<std::string>(&m_fields[slot]))
            return UuidText::parse(*text);
        return std::nullopt;
    }

    std::optional<double> date(std::size_t slot) const
    {
        if (const auto* text = std::get_if<std::string>(&m_fields[slot]))
            return Iso8601::parse(*text);
        return std::nullopt;
    }

    // An optional string: `out` is set and true returned when the field is absent, null or a
    // string; false for any other type.
    bool optionalString(std::size_t slot, std::optional<std::string>& out) const
    {
        auto& field = m_fields[slot];
        if (std::holds_alternative<std::monostate>(field) || std::holds_alternative<std::nullptr_t>(field)) {
            out.reset();
            return true;
        }
        if (auto* text = std::get_if<std::string>(&field)) {
            out = std::move(*text);
            return true;
        }
        return false;
    }

private:
    JsonRecordReader::Fields m_fields;
};

// The readers build each record with its id given: a default-constructed record would draw a
// fresh random UUID only to throw it away, which is noticeable over a long session log.
std::optional<FocusSession> readSession(const FieldReader& fields)
{
    const auto id = fields.id(SessionKey::id);
    const auto startDate = fields.date(SessionKey::startDate);
    const auto duration = fields.number(SessionKey::duration);
    auto mode = fields.string(SessionKey::mode);
    const auto completed = fields.flag(SessionKey::completed);
    std::optional<std::string> subjectTag;
    std::optional<std::string> intention;
    if (!id || !startDate || !duration || !mode || !completed
        || !fields.optionalString(SessionKey::subjectTag, subjectTag)
        || !fields.optionalString(SessionKey::intention, intention))
        return std::nullopt;
    return FocusSession { .id = *id,
        .startDate = *startDate,
        .duration = *duration,
        .subjectTag = std::move(subjectTag),
        .mode = std::move(*mode),
        .completed = *completed,
        .intention = std::move(intention) };
}

std::optional<FocusTask> readTask(const FieldReader& fields)
{
    const auto id = fields.id(TaskKey::id);
    auto title = fields.string(TaskKey::title);
    const auto done = fields.flag(TaskKey::done);
    const auto loggedSeconds = fields.number(TaskKey::loggedSeconds);
    const auto createdAt = fields.date(TaskKey::createdAt);
    if (!id || !title || !done || !loggedSeconds || !createdAt)
        return std::nullopt;
    return FocusTask { .id = *id,
        .title = std::move(*title),
        .done = *done,
        .loggedSeconds = *loggedSeconds,
        .createdAt = *createdAt };
}

std::optional<Deadline> readDeadline(const FieldReader& fields)
{
    const auto id = fields.id(DeadlineKey::id);
    auto title = fields.string(DeadlineKey::title);
    const auto date = fields.date(DeadlineKey::date);
    std::optional<std::string> subject;
    if (!id || !title || !date || !fields.optionalString(DeadlineKey::subject, subject))
        return std::nullopt;
    return Deadline { .id = *id, .title = std::move(*title), .date = *date, .subject = std::move(subject) };
}

template <class Record, std::size_t KeyCount, class ReadRecord>
std::optional<std::vector<Record>> decodeWith(
    std::string_view text, const std::array<std::string_view, KeyCount>& keys, ReadRecord readRecord)
{
    std::vector<Record> records;
    const JsonRecordReader reader(keys);
    const bool complete = reader.read(text, [&](JsonRecordReader::Fields fields) {
        auto record = readRecord(FieldReader(fields));
        if (!record)
            return false;
        records.push_back(std::move(*record));
        return true;
    });
    if (!complete)
        return std::nullopt;
    return records;
}

// A rough size per record so that the text is allocated once for long lists.
constexpr auto kBytesPerRecord = std::size_t { 256 };

template <class Record, class WriteRecord>
std::string encodeWith(const std::vector<Record>& records, WriteRecord writeRecord)
{
    std::string text;
    text.reserve(records.size() * kBytesPerRecord + 2);
    JsonRecordWriter writer(text);
    for (const auto& record : records) {
        writer.beginObject();
        writeRecord(writer, record);
        writer.endObject();
    }
    writer.finish();
    return text;
}

// Each writes its record's keys in sorted order.
void writeSession(JsonRecordWriter& writer, const FocusSession& session)
{
    using namespace SessionKey;
    writer.field(names[completed], session.completed);
    writer.field(names[duration], session.duration);
    writer.idField(names[id], session.id);
    if (session.intention)
        writer.field(names[intention], std::string_view(*session.intention));
    writer.field(names[mode], std::string_view(session.mode));
    writer.dateField(names[startDate], session.startDate);
    if (session.subjectTag)
        writer.field(names[subjectTag], std::string_view(*session.subjectTag));
}

void writeTask(JsonRecordWriter& writer, const FocusTask& task)
{
    using namespace TaskKey;
    writer.dateField(names[createdAt], task.createdAt);
    writer.field(names[done], task.done);
    writer.idField(names[id], task.id);
    writer.field(names[loggedSeconds], task.loggedSeconds);
    writer.field(names[title], std::string_view(task.title));
}

void writeDeadline(JsonRecordWriter& writer, const Deadline& deadline)
{
    using namespace DeadlineKey;
    writer.dateField(names[date], deadline.date);
    writer.idField(names[id], deadline.id);
    if (deadline.subject)
        writer.field(names[subject], std::string_view(*deadline.subject));
    writer.field(names[title], std::string_view(deadline.title));
}

} // namespace

std::string encode(const std::vector<FocusSession>& sessions)
{
    return encodeWith(sessions, writeSession);
}

std::string encode(const std::vector<FocusTask>& tasks)
{
    return encodeWith(tasks, writeTask);
}

std::string encode(const std::vector<Deadline>& deadlines)
{
    return encodeWith(deadlines, writeDeadline);
}

template <>
std::optional<std::vector<FocusSession>> decode<FocusSession>(std::string_view text)
{
    return decodeWith<FocusSession>(text, SessionKey::names, readSession);
}

template <>
std::optional<std::vector<FocusTask>> decode<FocusTask>(std::string_view text)
{
    return decodeWith<FocusTask>(text, TaskKey::names, readTask);
}

template <>
std::optional<std::vector<Deadline>> decode<Deadline>(std::string_view text)
{
    return decodeWith<Deadline>(text, DeadlineKey::names, readDeadline);
}

} // namespace moorlet::RecordJson
