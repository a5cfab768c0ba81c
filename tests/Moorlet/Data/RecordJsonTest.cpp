#include "Moorlet/Data/Iso8601.h"
#include "Moorlet/Data/RecordJson.h"
#include "Moorlet/Data/UuidText.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>

using namespace moorlet;

namespace {

const auto kSessionId = QUuid::fromString(QStringLiteral("E621E1F8-C36C-495A-93FC-0C247A3E6E5F"));
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

// Text that exercises every escaping rule: control characters, quotes, backslashes, slashes and
// multi-byte characters; and ill-formed UTF-8 of every kind, which cannot read back unchanged.
const std::string kAwkward = std::string("a \"\\/\n\r\t\b\f") + '\0' + "\x01\x1f\x7f é€😀\u2028";
const std::string kIllFormed
    = "\xff \xc0\x80 \xe2\x82 \xed\xa0\x80 \xf4\x90\x80\x80 \xf0\x9f\x98 \x80 \xe0\x9f\xbf \xc3";

} // namespace

TEST(RecordJsonTest, HandWrittenFilesLoadFieldForField)
{
    const auto sessions = RecordJson::decode<FocusSession>(kHandWrittenSessions);
    ASSERT_TRUE(sessions);
    ASSERT_EQ(sessions->size(), 2u);
    EXPECT_EQ(sessions->at(0), (FocusSession { kSessionId, kStart, 1500, "Maths", "pomodoro", true, std::nullopt }));
    const auto secondId = QUuid::fromString(QStringLiteral("E621E1F8-C36C-495A-93FC-0C247A3E6E60"));
    EXPECT_EQ(sessions->at(1),
        (FocusSession { secondId, kStart + 5522, 312.5, std::nullopt, "flowmodoro", false,
            "Finish \"chapter 3\"\n" }));
}

// The direct writer's text is what nlohmann::json's document writer makes of it again, byte for
// byte, and it reads back: field for field when the records hold only what reads back unchanged.
TEST(RecordJsonTest, WritesWhatTheDocumentWriterWouldAndReadsItBack)
{
    const auto check = [](const auto& records, bool readsBackUnchanged) {
        using Record = typename std::decay_t<decltype(records)>::value_type;
        const auto text = RecordJson::encode(records);
        EXPECT_EQ(nlohmann::json::parse(text).dump(2, ' ', false), text);
        const auto back = RecordJson::decode<Record>(text);
        ASSERT_TRUE(back);
        EXPECT_TRUE(readsBackUnchanged ? *back == records : back->size() == records.size());
    };
    for (const double number : { 0.0, -0.0, 0.1, 1.0 / 3, 1e-7, 1e16, 1e21, 123456789012345678.0, 5e-324,
             1.7976931348623157e308, -42.25 }) {
        SCOPED_TRACE(number);
        check(std::vector { FocusSession { kSessionId, kStart, number, kAwkward, kAwkward, true, kAwkward },
                  FocusSession { kSessionId, kStart, number, std::nullopt, "", false, std::nullopt } },
            true);
        check(std::vector { FocusTask { kSessionId, kAwkward, true, number, kStart } }, true);
        check(std::vector { Deadline { kDeadlineId, kIllFormed, kStart + 0.25, kIllFormed } }, false);
    }
    check(std::vector<Deadline> {}, true);
}

TEST(RecordJsonTest, ValuesJsonCannotHoldAreWrittenSoTheFileStaysReadable)
{
    FocusSession record { kSessionId, kStart, 1500, "Maths", "pomodoro", true, "Finish chapter 3" };
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
        { "braced id", "\"E621E1F8-C36C-495A-93FC-0C247A3E6E5F\"", "\"{E621E1F8-C36C-495A-93FC-0C247A3E6E5F}\"" },
        { "date without zone", "58Z", "58" },
        { "duration too large", "1500", "1e400" },
        { "a number in the array", good, "3" },
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
    for (const std::string text :
        { "", "{}", "null", "[", "[{}", "[]]", "[1,]", "[{\"title\": \"x\",}]", "[\"\xff\"]" })
        EXPECT_FALSE(RecordJson::decode<FocusTask>(text)) << text;
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
    EXPECT_EQ(Iso8601::format(-0.5), "1969-12-31T23:59:59Z");

    EXPECT_EQ(Iso8601::parse("2026-12-05T08:27:58Z"), kStart);
    EXPECT_EQ(Iso8601::parse("2026-12-05T10:27:58+02:00"), kStart);
    EXPECT_EQ(Iso8601::parse("2026-12-04T23:57:58-08:30"), kStart);
    EXPECT_EQ(Iso8601::parse("2026-12-05T08:27:58.5Z"), kStart + 0.5);
    EXPECT_EQ(Iso8601::parse("2000-02-29T00:00:00Z"), 951782400.0);
    for (const auto* bad : { "", "2026-12-05", "2026-02-29T08:27:58Z", "2026-12-05T24:00:00Z",
             "2026-12-05T08:60:00Z", "2026-12-05T08:27:58+0200", "2026-12-05T08:27:58Zx",
             "２０２６-12-05T08:27:58Z" })
        EXPECT_FALSE(Iso8601::parse(bad)) << bad;
}

TEST(RecordJsonTest, UuidText)
{
    EXPECT_EQ(UuidText::format(kSessionId), "E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
    EXPECT_EQ(UuidText::parse("e621e1f8-c36c-495a-93fc-0c247a3e6e5f"), kSessionId);
    for (const auto* bad : { "", "E621E1F8C36C495A93FC0C247A3E6E5F", "E621E1F8-C36C-495A-93FC-0C247A3E6E5G" })
        EXPECT_FALSE(UuidText::parse(bad)) << bad;
}
