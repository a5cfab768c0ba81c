#include "Moorlet/Data/Iso8601.h"
#include "Moorlet/Data/JsonRecordReader.h"
#include "Moorlet/Data/RecordJson.h"
#include "Moorlet/Data/UuidText.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <charconv>
#include <random>

using namespace moorlet;

namespace {

const auto kSessionId = QUuid::fromString(QStringLiteral("E621E1F8-C36C-495A-93FC-0C247A3E6E5F"));
const auto kTaskId = QUuid::fromString(QStringLiteral("0F1E2D3C-4B5A-4978-8695-A4B3C2D1E0FF"));
const auto kDeadlineId = QUuid::fromString(QStringLiteral("12345678-9ABC-4DEF-8123-456789ABCDEF"));

// 2026-12-05T08:27:58Z
constexpr double kStart = 1796459278;

// Files as a person (or an older version of the app) might have written them: other spacing,
// whole numbers for doubles, keys in any order, lower-case ids.
constexpr auto kHandWrittenSessions = R"([
  {
    "completed" : true,
    "duration" : 1500,
    "id" : "E621E1F8-C36C-495A-93FC-0C247A3E6E5F",
    "mode" : "pomodoro",
    "startDate" : "2026-12-05T08:27:58Z",
    "subjectTag" : "Maths"
  },
  {"mode": "flowmodoro", "startDate": "2026-12-05T10:00:00Z", "completed": false,
   "duration": 312.5, "id": "e621e1f8-c36c-495a-93fc-0c247a3e6e60", "intention": "Finish \"chapter 3\"\n"}
])";

constexpr auto kHandWrittenTasks = R"([{ "createdAt" : "2026-12-01T07:00:00Z", "done" : false,
  "id" : "0F1E2D3C-4B5A-4978-8695-A4B3C2D1E0FF", "loggedSeconds" : 0, "title" : "Read chapter 4" }])";

constexpr auto kHandWrittenDeadlines = R"([
  { "date" : "2027-06-10T14:00:00Z", "id" : "12345678-9ABC-4DEF-8123-456789ABCDEF", "title" : "Physics exam" },
  { "date" : "2027-06-12T08:30:00Z", "id" : "12345678-9ABC-4DEF-8123-456789ABCDE0", "subject" : "", "title" : "Essay" }
])";

FocusSession session(double start = kStart)
{
    return FocusSession { kSessionId, start, 1500, "Maths", "pomodoro", true, "Finish chapter 3" };
}

// What nlohmann::json's own document writer makes of the same records: the reference for the
// direct writer, byte for byte.
nlohmann::json document(const FocusSession& record)
{
    nlohmann::json object = { { "completed", record.completed }, { "duration", record.duration },
        { "id", UuidText::format(record.id) }, { "mode", record.mode },
        { "startDate", Iso8601::format(record.startDate) } };
    if (record.subjectTag)
        object["subjectTag"] = *record.subjectTag;
    if (record.intention)
        object["intention"] = *record.intention;
    return object;
}

nlohmann::json document(const FocusTask& record)
{
    return { { "createdAt", Iso8601::format(record.createdAt) }, { "done", record.done },
        { "id", UuidText::format(record.id) }, { "loggedSeconds", record.loggedSeconds }, { "title", record.title } };
}

nlohmann::json document(const Deadline& record)
{
    nlohmann::json object = { { "date", Iso8601::format(record.date) }, { "id", UuidText::format(record.id) },
        { "title", record.title } };
    if (record.subject)
        object["subject"] = *record.subject;
    return object;
}

template <class Record>
std::string referenceText(const std::vector<Record>& records)
{
    auto array = nlohmann::json::array();
    for (const auto& record : records)
        array.push_back(document(record));
    return array.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
}

// Random text that exercises every escaping rule: control characters, quotes, backslashes,
// slashes, multi-byte characters, and (unless only what reads back unchanged is asked for)
// ill-formed UTF-8 of every kind and instants with fractions of a second.
class RecordGenerator {
public:
    explicit RecordGenerator(unsigned seed, bool readsBackUnchanged = false)
        : m_random(seed)
        , m_readsBackUnchanged(readsBackUnchanged)
    {
    }

    std::string text()
    {
        static const std::vector<std::string> pieces { "a", "Z", " ", "\"", "\\", "/", "\n", "\r", "\t", "\b",
            "\f", std::string(1, '\0'), "\x01", "\x1f", "\x7f", "é", "€", "😀", "\u2028", "\xff", "\xc0\x80",
            "\xe2\x82", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xf0\x9f\x98", "\x80", "\xe0\x9f\xbf", "\xc3" };
        // The pieces from "\xff" on are ill-formed.
        const int last = m_readsBackUnchanged ? 18 : static_cast<int>(pieces.size()) - 1;
        std::string result;
        const auto length = pick(0, 12);
        for (int index = 0; index < length; ++index)
            result += pieces[static_cast<std::size_t>(pick(0, last))];
        return result;
    }

    double number()
    {
        static const std::vector<double> special { 0.0, -0.0, 1500, 0.1, 1.0 / 3, 1e-7, 1e15, 1e16, 1e21,
            123456789012345678.0, 5e-324, 1.7976931348623157e308, -42.25, 60 };
        if (pick(0, 1) == 0)
            return special[static_cast<std::size_t>(pick(0, static_cast<int>(special.size()) - 1))];
        return std::uniform_real_distribution<double>(-1, 1)(m_random) * std::pow(10.0, pick(-8, 12));
    }

    double instant()
    {
        const double instant = std::uniform_real_distribution<double>(-2e10, 2.5e11)(m_random);
        return m_readsBackUnchanged ? std::floor(instant) : instant;
    }
    bool flag() { return pick(0, 1) == 1; }
    std::optional<std::string> optionalText()
    {
        if (pick(0, 2) == 0)
            return std::nullopt;
        return text();
    }

    FocusSession session()
    {
        return FocusSession { QUuid::createUuid(), instant(), number(), optionalText(), text(), flag(), optionalText() };
    }
    FocusTask task()
    {
        return FocusTask { QUuid::createUuid(), text(), flag(), number(), instant() };
    }
    Deadline deadline()
    {
        return Deadline { .id = QUuid::createUuid(), .title = text(), .date = instant(), .subject = optionalText() };
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    std::mt19937 m_random;
    bool m_readsBackUnchanged;
};

using ReadFields = std::vector<std::vector<JsonField>>;

constexpr std::array<std::string_view, 4> kReaderKeys { "date", "id", "title", "a\"b" };

std::optional<ReadFields> readWithReader(std::string_view text)
{
    ReadFields records;
    const JsonRecordReader reader(kReaderKeys);
    const bool complete = reader.read(text, [&](JsonRecordReader::Fields fields) {
        records.emplace_back(fields.begin(), fields.end());
        return true;
    });
    if (!complete)
        return std::nullopt;
    return records;
}

// Whether a run of number characters in the text is an integer outside both 64-bit ranges.
bool hasIntegerBeyond64Bits(std::string_view text)
{
    const auto isNumberChar = [](char c) { return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E'; };
    for (std::size_t start = 0; start < text.size();) {
        auto end = start;
        while (end < text.size() && isNumberChar(text[end]))
            ++end;
        const auto run = text.substr(start, end - start);
        std::int64_t signedValue = 0;
        std::uint64_t unsignedValue = 0;
        const auto digits = run.starts_with('-') ? run.substr(1) : run;
        if (!digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos
            && std::from_chars(run.data(), run.data() + run.size(), signedValue).ec != std::errc()
            && std::from_chars(run.data(), run.data() + run.size(), unsignedValue).ec != std::errc())
            return true;
        start = end == start ? end + 1 : end;
    }
    return false;
}

// The same reading done through nlohmann::json's document parser: the reference.
std::optional<ReadFields> readWithDocument(std::string_view text)
{
    // nlohmann::json stops reading at a zero byte and ignores the rest; a zero byte is never
    // valid JSON, and the reader refuses the text so that it is kept rather than half read.
    // nlohmann::json reads an integer beyond 64 bits as a double, where simdjson refuses it; the
    // app never writes one.
    if (text.find('\0') != std::string_view::npos || hasIntegerBeyond64Bits(text))
        return std::nullopt;
    const auto document = nlohmann::json::parse(text, nullptr, /*allow_exceptions=*/false);
    if (document.is_discarded() || !document.is_array())
        return std::nullopt;
    ReadFields records;
    for (const auto& element : document) {
        if (!element.is_object())
            return std::nullopt;
        std::vector<JsonField> fields(kReaderKeys.size());
        for (const auto& [key, value] : element.items()) {
            const auto found = std::find(kReaderKeys.begin(), kReaderKeys.end(), key);
            if (found == kReaderKeys.end())
                continue;
            auto& field = fields[static_cast<std::size_t>(found - kReaderKeys.begin())];
            if (value.is_string())
                field = value.get<std::string>();
            else if (value.is_boolean())
                field = value.get<bool>();
            else if (value.is_number())
                field = value.get<double>();
            else if (value.is_null())
                field = nullptr;
            else
                return std::nullopt;
        }
        records.push_back(std::move(fields));
    }
    return records;
}

// Random JSON texts in the shape of the data files, with every token kind, escapes, odd numbers,
// nested values under unknown keys and random white space.
class JsonTextGenerator {
public:
    explicit JsonTextGenerator(unsigned seed)
        : m_random(seed)
    {
    }

    std::string document()
    {
        std::string text = pick(0, 9) == 0 ? "\xef\xbb\xbf" : "";
        text += space() + "[";
        const int count = pick(0, 4);
        for (int index = 0; index < count; ++index) {
            text += (index ? "," : "") + space() + "{";
            const int members = pick(0, 5);
            for (int member = 0; member < members; ++member) {
                text += (member ? "," : "") + space() + key() + space() + ":" + space();
                // Known keys mostly get scalars, unknown keys anything.
                text += pick(0, 5) == 0 ? value(3) : scalar();
                text += space();
            }
            text += "}" + space();
        }
        return text + "]" + space();
    }

    std::string mutated(std::string text)
    {
        static const std::string bytes = std::string("[]{},:\"\\u0-.eE+ \tntf19") + '\0' + "\xff\xc3\xa9\xed\x80";
        const int edits = pick(1, 3);
        for (int edit = 0; edit < edits && !text.empty(); ++edit) {
            const auto position = static_cast<std::size_t>(pick(0, static_cast<int>(text.size()) - 1));
            const char byte = bytes[static_cast<std::size_t>(pick(0, static_cast<int>(bytes.size()) - 1))];
            switch (pick(0, 2)) {
            case 0:
                text.erase(position, 1);
                break;
            case 1:
                text.insert(position, 1, byte);
                break;
            default:
                text[position] = byte;
                break;
            }
        }
        return text;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    std::string choose(const std::vector<std::string>& options)
    {
        return options[static_cast<std::size_t>(pick(0, static_cast<int>(options.size()) - 1))];
    }

    std::string space() { return choose({ "", "", "", " ", "\n  ", "\t", "\r\n" }); }

    std::string key()
    {
        return choose({ "\"date\"", "\"id\"", "\"title\"", "\"a\\\"b\"", "\"t\\u0069tle\"", "\"other\"",
            "\"\"", "\"d\u00e9j\u00e0\"" });
    }

    std::string scalar()
    {
        return choose({ "\"plain\"", "\"\"", "\"esc \\\" \\\\ \\/ \\b \\f \\n \\r \\t\"",
            "\"\\u00e9\\u20AC\\ud83d\\ude00\\u0000\"", "\"caf\u00e9 \u20ac \U0001F600\"", "0", "-0", "0.5",
            "-12.25e+3", "1E-2", "12345678901234567890", "18446744073709551616", "-9223372036854775809",
            "1e400", "-1e400", "1e-400", "2.5e-324", "3.14159", "true", "false", "null" });
    }

    std::string value(int depth)
    {
        if (depth == 0 || pick(0, 2) == 0)
            return scalar();
        std::string text;
        if (pick(0, 1) == 0) {
            text = "[";
            const int count = pick(0, 3);
            for (int index = 0; index < count; ++index)
                text += (index ? "," : "") + space() + value(depth - 1) + space();
            return text + "]";
        }
        text = "{";
        const int count = pick(0, 3);
        for (int index = 0; index < count; ++index)
            text += (index ? "," : "") + space() + key() + ":" + space() + value(depth - 1);
        return text + "}";
    }

    std::mt19937 m_random;
};

} // namespace

TEST(RecordJsonTest, ReaderAcceptsAndReadsExactlyWhatTheDocumentParserDoes)
{
    JsonTextGenerator generator(11);
    int accepted = 0;
    int rejected = 0;
    for (int round = 0; round < 20'000; ++round) {
        const auto valid = generator.document();
        const auto text = round % 2 ? generator.mutated(valid) : valid;
        const auto expected = readWithDocument(text);
        const auto actual = readWithReader(text);
        ASSERT_EQ(actual.has_value(), expected.has_value()) << text;
        if (!expected)
            ++rejected;
        else if (++accepted; *actual != *expected) {
            // Infinity compares equal to itself, so only equal values pass.
            FAIL() << text;
        }
    }
    // Both outcomes must have been exercised plenty.
    EXPECT_GT(accepted, 4'000);
    EXPECT_GT(rejected, 5'000);
}

TEST(RecordJsonTest, HandWrittenFilesLoadFieldForField)
{
    const auto sessions = RecordJson::decode<FocusSession>(kHandWrittenSessions);
    ASSERT_TRUE(sessions);
    ASSERT_EQ(sessions->size(), 2u);
    EXPECT_EQ(sessions->at(0), (FocusSession { kSessionId, kStart, 1500, "Maths", "pomodoro", true, std::nullopt }));
    EXPECT_EQ(sessions->at(1).id, QUuid::fromString(QStringLiteral("E621E1F8-C36C-495A-93FC-0C247A3E6E60")));
    EXPECT_EQ(sessions->at(1).duration, 312.5);
    EXPECT_EQ(sessions->at(1).subjectTag, std::nullopt);
    EXPECT_EQ(sessions->at(1).intention, "Finish \"chapter 3\"\n");
    EXPECT_FALSE(sessions->at(1).completed);

    const auto tasks = RecordJson::decode<FocusTask>(kHandWrittenTasks);
    ASSERT_TRUE(tasks);
    EXPECT_EQ(*tasks, (std::vector<FocusTask> { { kTaskId, "Read chapter 4", false, 0, 1796108400 } }));

    const auto deadlines = RecordJson::decode<Deadline>(kHandWrittenDeadlines);
    ASSERT_TRUE(deadlines);
    ASSERT_EQ(deadlines->size(), 2u);
    EXPECT_EQ(deadlines->at(0), (Deadline { kDeadlineId, "Physics exam", 1812636000, std::nullopt }));
    EXPECT_EQ(deadlines->at(1).subject, std::optional<std::string>(""));
}

TEST(RecordJsonTest, WritesTheFileLayout)
{
    auto bare = session();
    bare.subjectTag.reset();
    bare.intention.reset();
    bare.startDate = kStart + 0.75; // fractions of a second are not kept
    EXPECT_EQ(RecordJson::encode(std::vector { session(), bare }),
        R"([
  {
    "completed": true,
    "duration": 1500.0,
    "id": "E621E1F8-C36C-495A-93FC-0C247A3E6E5F",
    "intention": "Finish chapter 3",
    "mode": "pomodoro",
    "startDate": "2026-12-05T08:27:58Z",
    "subjectTag": "Maths"
  },
  {
    "completed": true,
    "duration": 1500.0,
    "id": "E621E1F8-C36C-495A-93FC-0C247A3E6E5F",
    "mode": "pomodoro",
    "startDate": "2026-12-05T08:27:58Z"
  }
])");
    EXPECT_EQ(RecordJson::encode(std::vector<FocusTask> {}), "[]");
}

TEST(RecordJsonTest, WhatIsWrittenReadsBackFieldForField)
{
    RecordGenerator generator(7, /*readsBackUnchanged=*/true);
    std::vector<FocusSession> sessions;
    std::vector<FocusTask> tasks;
    std::vector<Deadline> deadlines;
    for (int index = 0; index < 300; ++index) {
        sessions.push_back(generator.session());
        tasks.push_back(generator.task());
        deadlines.push_back(generator.deadline());
    }
    EXPECT_EQ(RecordJson::decode<FocusSession>(RecordJson::encode(sessions)), sessions);
    EXPECT_EQ(RecordJson::decode<FocusTask>(RecordJson::encode(tasks)), tasks);
    EXPECT_EQ(RecordJson::decode<Deadline>(RecordJson::encode(deadlines)), deadlines);
}

TEST(RecordJsonTest, DirectWriterMatchesTheDocumentWriterByteForByte)
{
    RecordGenerator generator(2026);
    for (int round = 0; round < 40; ++round) {
        std::vector<FocusSession> sessions;
        std::vector<FocusTask> tasks;
        std::vector<Deadline> deadlines;
        for (int index = 0; index < round % 7; ++index) {
            sessions.push_back(generator.session());
            tasks.push_back(generator.task());
            deadlines.push_back(generator.deadline());
        }
        EXPECT_EQ(RecordJson::encode(sessions), referenceText(sessions));
        EXPECT_EQ(RecordJson::encode(tasks), referenceText(tasks));
        EXPECT_EQ(RecordJson::encode(deadlines), referenceText(deadlines));
        // Whatever went in, what comes out is JSON that reads back.
        EXPECT_EQ(RecordJson::decode<FocusSession>(RecordJson::encode(sessions))->size(), sessions.size());
    }
}

TEST(RecordJsonTest, ValuesJsonCannotHoldAreWrittenSoTheFileStaysReadable)
{
    auto record = session();
    record.duration = std::numeric_limits<double>::infinity();
    record.startDate = std::numeric_limits<double>::quiet_NaN();
    record.subjectTag = std::string("bad \xff byte");
    const auto text = RecordJson::encode(std::vector { record });
    EXPECT_NE(text.find("\"duration\": 0.0"), std::string::npos);
    EXPECT_NE(text.find("\"startDate\": \"1970-01-01T00:00:00Z\""), std::string::npos);
    const auto back = RecordJson::decode<FocusSession>(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->at(0).subjectTag, "bad \uFFFD byte");

    record.startDate = 1e15; // far beyond year 9999
    EXPECT_EQ(RecordJson::decode<FocusSession>(RecordJson::encode(std::vector { record }))->at(0).startDate,
        253402300799.0);
}

TEST(RecordJsonTest, OneBadRecordFailsTheWholeFile)
{
    const std::string good = R"({"completed": true, "duration": 1500, "id": "E621E1F8-C36C-495A-93FC-0C247A3E6E5F",
        "mode": "pomodoro", "startDate": "2026-12-05T08:27:58Z"})";
    ASSERT_TRUE(RecordJson::decode<FocusSession>("[" + good + "]"));

    // Each case changes one thing in the good record.
    struct Case {
        const char* name;
        std::string from, to;
    };
    const std::vector<Case> cases {
        { "missing mode", R"("mode": "pomodoro",)", "" },
        { "duration as text", "1500", "\"1500\"" },
        { "completed as number", "true", "1" },
        { "null mode", "\"pomodoro\"", "null" },
        { "subject as number", "Z\"", "Z\", \"subjectTag\": 3" },
        { "mode as object", "\"pomodoro\"", R"({"name": "pomodoro"})" },
        { "braced id", "\"E621E1F8-C36C-495A-93FC-0C247A3E6E5F\"", "\"{E621E1F8-C36C-495A-93FC-0C247A3E6E5F}\"" },
        { "short id", "6E5F", "6E5" },
        { "date without zone", "58Z", "58" },
        { "date as number", "\"2026-12-05T08:27:58Z\"", "1796459278" },
        { "duration too large", "1500", "1e400" },
        { "a number in the array", good, "3" },
        { "an array in the array", good, "[]" },
    };
    for (const auto& [name, from, to] : cases) {
        auto bad = good;
        ASSERT_NE(bad.find(from), std::string::npos) << name;
        bad.replace(bad.find(from), from.size(), to);
        EXPECT_FALSE(RecordJson::decode<FocusSession>("[" + good + "," + bad + "]")) << name;
        EXPECT_FALSE(RecordJson::decode<FocusSession>("[" + bad + "," + good + "]")) << name;
    }
}

TEST(RecordJsonTest, TextThatIsNotAnArrayOfRecordsGivesNothing)
{
    for (const std::string text : { "", " ", "{}", "null", "\"[]\"", "[", "[{}", "[]]", "[] []", "[1,]",
             "[{\"title\": \"x\",}]", "\xef\xbb\xbf", "[\"\xff\"]", "[{\"title\": \"\xc3\x28\"}]" }) {
        EXPECT_FALSE(RecordJson::decode<FocusTask>(text)) << text;
    }
    // Nesting far deeper than any record must be refused without recursion.
    EXPECT_FALSE(RecordJson::decode<FocusTask>(std::string(1'000'000, '[') + std::string(1'000'000, ']')));
    EXPECT_FALSE(RecordJson::decode<FocusTask>("[{\"x\":" + std::string(500'000, '[')));

    EXPECT_EQ(RecordJson::decode<FocusTask>("[]"), std::vector<FocusTask> {});
    EXPECT_EQ(RecordJson::decode<FocusTask>("\xef\xbb\xbf [ ]\n"), std::vector<FocusTask> {});
}

TEST(RecordJsonTest, UnknownKeysAreSkippedAndNullOptionalsReadAsAbsent)
{
    const auto deadlines = RecordJson::decode<Deadline>(R"([{
        "date": "2027-06-10T14:00:00Z", "id": "12345678-9ABC-4DEF-8123-456789ABCDEF", "title": "Exam",
        "subject": null, "colour": {"r": [1, 2, {"title": 5}], "id": null}, "notes": [[["x"]]], "pinned": true
    }])");
    ASSERT_TRUE(deadlines);
    EXPECT_EQ(deadlines->at(0), (Deadline { kDeadlineId, "Exam", 1812636000, std::nullopt }));
    // A key given twice keeps its last value.
    const auto tasks = RecordJson::decode<FocusTask>(R"([{"createdAt": "2026-12-01T07:00:00Z", "done": true,
        "done": false, "id": "0F1E2D3C-4B5A-4978-8695-A4B3C2D1E0FF", "loggedSeconds": 5, "title": "T"}])");
    ASSERT_TRUE(tasks);
    EXPECT_FALSE(tasks->at(0).done);
}

TEST(RecordJsonTest, InternetDateTimes)
{
    EXPECT_EQ(Iso8601::format(kStart), "2026-12-05T08:27:58Z");
    EXPECT_EQ(Iso8601::format(kStart + 0.999), "2026-12-05T08:27:58Z");
    EXPECT_EQ(Iso8601::format(-0.5), "1969-12-31T23:59:59Z");
    EXPECT_EQ(Iso8601::format(951782400), "2000-02-29T00:00:00Z");
    EXPECT_EQ(Iso8601::format(-62167219200.0), "0000-01-01T00:00:00Z");

    EXPECT_EQ(Iso8601::parse("2026-12-05T08:27:58Z"), kStart);
    EXPECT_EQ(Iso8601::parse("2026-12-05t08:27:58z"), kStart);
    EXPECT_EQ(Iso8601::parse("2026-12-05T10:27:58+02:00"), kStart);
    EXPECT_EQ(Iso8601::parse("2026-12-04T23:57:58-08:30"), kStart);
    EXPECT_EQ(Iso8601::parse("2026-12-05T08:27:58.5Z"), kStart + 0.5);
    EXPECT_EQ(Iso8601::parse("1969-12-31T23:59:59Z"), -1.0);
    EXPECT_EQ(Iso8601::parse("2000-02-29T00:00:00Z"), 951782400.0);
    for (const auto* bad : { "", "2026-12-05", "2026-12-05T08:27Z", "2026-12-05 08:27:58Z", "2026-13-05T08:27:58Z",
             "2026-02-29T08:27:58Z", "2026-12-05T24:00:00Z", "2026-12-05T08:60:00Z", "2026-12-05T08:27:60Z",
             "2026-12-05T08:27:58.Z", "2026-12-05T08:27:58+0200", "2026-12-05T08:27:58+24:00", "2026-12-05T08:27:58Zx",
             "+2026-12-05T08:27:58Z", "２０２６-12-05T08:27:58Z", "2026-1２-05T08:27:58Z" }) {
        EXPECT_FALSE(Iso8601::parse(bad)) << bad;
    }
}

TEST(RecordJsonTest, UuidText)
{
    EXPECT_EQ(UuidText::format(kSessionId), "E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
    EXPECT_EQ(UuidText::parse("e621e1f8-c36c-495a-93fc-0c247a3e6e5f"), kSessionId);
    for (int index = 0; index < 100; ++index) {
        const auto id = QUuid::createUuid();
        EXPECT_EQ(UuidText::format(id), id.toString(QUuid::WithoutBraces).toUpper().toStdString());
        EXPECT_EQ(UuidText::parse(UuidText::format(id)), id);
    }
    for (const auto* bad : { "", "E621E1F8C36C495A93FC0C247A3E6E5F", "E621E1F8-C36C-495A-93FC-0C247A3E6E5G",
             "E621E1F8-C36C-495A-93FC_0C247A3E6E5F", " E621E1F8-C36C-495A-93FC-0C247A3E6E5" }) {
        EXPECT_FALSE(UuidText::parse(bad)) << bad;
    }
}
