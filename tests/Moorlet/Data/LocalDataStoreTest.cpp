#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Data/RecordJson.h"
#include "Moorlet/Data/UuidText.h"
#include "VeltraneKit/Notifications/NotificationScheduling.h"
#include "tests/VeltraneKit/ScopedEnvironment.h"
#include "tests/VeltraneKit/TextFiles.h"
#include "tests/support/TestSupport.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

using namespace moorlet;
namespace fs = std::filesystem;
using veltrane::testing::readBytes;
using veltrane::testing::writeBytes;

namespace {

// Records every scheduled and cancelled reminder; the store posts nothing at once.
class RecordingNotifications final : public veltrane::NotificationScheduling {
public:
    struct Request {
        std::string id;
        veltrane::Instant at;
        std::string title;
        std::string body;
        bool operator==(const Request&) const = default;
    };

    bool isAvailable() const override { return true; }
    void notify(const std::string&, const std::string&) override { ADD_FAILURE() << "posted"; }
    void schedule(const std::string& id, veltrane::Instant at, const std::string& title, const std::string& body) override
    {
        scheduled.push_back({ id, at, title, body });
    }
    void cancel(const std::string& id) override { cancelled.push_back(id); }

    std::vector<Request> scheduled;
    std::vector<std::string> cancelled;
};

veltrane::Instant at(const veltrane::Calendar& calendar, int year, int month, int day, int hour = 0, int minute = 0)
{
    return calendar.instant({ year, month, day, hour, minute, 0 }).value();
}

template <class Record>
std::vector<std::string> titles(const std::vector<Record>& records)
{
    std::vector<std::string> result;
    for (const auto& record : records)
        result.push_back(record.title);
    return result;
}

std::set<std::string> entries(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// The names of files moved aside for the given data file ("sessions" → "sessions.unreadable-…").
std::vector<fs::path> asideFiles(const fs::path& folder, const std::string& stem)
{
    std::vector<fs::path> found;
    for (const auto& name : entries(folder))
        if (name.starts_with(stem + ".unreadable-"))
            found.push_back(folder / name);
    return found;
}

FocusSession session(veltrane::Instant start, std::string mode = "pomodoro")
{
    return FocusSession { QUuid::createUuid(), start, 1500, "Maths", std::move(mode), true, std::nullopt };
}

constexpr auto kValidTasks = R"([{ "createdAt" : "2026-12-01T07:00:00Z", "done" : false,
  "id" : "0F1E2D3C-4B5A-4978-8695-A4B3C2D1E0FF", "loggedSeconds" : 60, "title" : "Read chapter 4" }])";

constexpr auto kValidDeadlines = R"([
  { "date" : "2027-06-12T08:30:00Z", "id" : "12345678-9ABC-4DEF-8123-456789ABCDE1", "title" : "Late" },
  { "date" : "2027-06-10T14:00:00Z", "id" : "12345678-9ABC-4DEF-8123-456789ABCDE2", "title" : "Early, first" },
  { "date" : "2027-06-10T14:00:00Z", "id" : "12345678-9ABC-4DEF-8123-456789ABCDE3", "title" : "Early, second",
    "subject" : "Physics" }
])";

// The record lacks "mode", the only thing wrong with the file.
constexpr auto kSessionsMissingMode = R"([{ "completed" : false, "duration" : 600,
  "id" : "E621E1F8-C36C-495A-93FC-0C247A3E6E60", "startDate" : "2026-12-05T09:27:58Z" }])";

class LocalDataStoreTest : public ::testing::Test {
protected:
    fs::path root() const { return fs::path(m_root.stdPath()); }
    fs::path folder() const { return root() / "share" / "Moorlet"; }
    fs::path file(const std::string& name) const { return folder() / name; }

    std::unique_ptr<LocalDataStore> makeStore(veltrane::Calendar calendar = veltrane::Calendar::utc())
    {
        return std::make_unique<LocalDataStore>(folder(), &notifications, clock, calendar);
    }

    void prepareFolder() { fs::create_directories(folder()); }

    testsupport::TemporaryFolder m_root;
    RecordingNotifications notifications;
    // 2026-12-05T12:00:00Z
    std::shared_ptr<veltrane::TestClock> clock = std::make_shared<veltrane::TestClock>(1796472000);
};

} // namespace

// Files and folders

TEST_F(LocalDataStoreTest, FirstRunCreatesTheFolderAndWritesNoFileUntilAListChanges)
{
    auto store = makeStore();
    EXPECT_TRUE(fs::is_directory(folder()));
    EXPECT_TRUE(store->sessions().empty() && store->tasks().empty() && store->deadlines().empty());
    EXPECT_TRUE(entries(folder()).empty());

    store->addTask("Plan the week");
    EXPECT_EQ(entries(folder()), std::set<std::string> { "tasks.json" });
}

TEST_F(LocalDataStoreTest, FilesInTheSavedFormatLoadAndDeadlinesAreSortedStably)
{
    prepareFolder();
    writeBytes(file("tasks.json"), kValidTasks);
    writeBytes(file("deadlines.json"), kValidDeadlines);
    writeBytes(file("sessions.json"), RecordJson::encode(std::vector { session(1796459278) }));
    // The records' fields are RecordJsonTest's; here each list must come from its own file.
    auto store = makeStore();
    EXPECT_EQ(store->sessions().size(), 1u);
    EXPECT_EQ(titles(store->tasks()), std::vector<std::string> { "Read chapter 4" });
    EXPECT_EQ(titles(store->deadlines()), (std::vector<std::string> { "Early, first", "Early, second", "Late" }));
    // Loading schedules nothing.
    EXPECT_TRUE(notifications.scheduled.empty());
}

// Whatever stands in place of a data file and cannot be read loads as an empty list and leaves
// the other lists alone. It stays where it is until its own list is saved; then it is moved
// aside whole, once.
TEST_F(LocalDataStoreTest, WhatCannotBeReadLoadsEmptyAndIsMovedAsideWholeBeforeItsListIsSaved)
{
    const auto tooLarge = static_cast<std::uintmax_t>(DataFolder::kLargestReadableFile) + 1;
    struct Case {
        const char* name;
        std::function<void(const fs::path&)> make;
        std::function<void(const fs::path&)> checkAside;
    };
    const auto holding = [](const char* name, const std::string& content) {
        return Case { name, [=](const fs::path& path) { writeBytes(path, content); },
            [=](const fs::path& aside) { EXPECT_EQ(readBytes(aside), content); } };
    };
    const std::vector<Case> cases {
        holding("a record without its mode", kSessionsMissingMode),
        holding("malformed JSON", "[{\"title\": \"Unclosed\""),
        holding("an empty file", ""),
        holding("binary", std::string("\x00\x01\xff\xfe[\x00", 6)),
        // Sparse: it takes no room on the disk.
        { "a file too large to read",
            [&](const fs::path& path) {
                writeBytes(path, "[");
                fs::resize_file(path, tooLarge);
            },
            [&](const fs::path& aside) { EXPECT_EQ(fs::file_size(aside), tooLarge); } },
        { "a folder, with its contents",
            [](const fs::path& path) {
                fs::create_directory(path);
                writeBytes(path / "inside.txt", "keep me");
            },
            [](const fs::path& aside) { EXPECT_EQ(readBytes(aside / "inside.txt"), "keep me"); } },
        // Opening a pipe to read it would block loading.
        { "a pipe", [](const fs::path& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); },
            [](const fs::path&) {} },
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.name);
        fs::remove_all(folder());
        prepareFolder();
        entry.make(file("sessions.json"));
        writeBytes(file("tasks.json"), kValidTasks);
        auto store = makeStore();
        EXPECT_TRUE(store->sessions().empty());
        EXPECT_EQ(store->tasks().size(), 1u);
        store->addTask("Something else");
        EXPECT_TRUE(asideFiles(folder(), "sessions").empty());

        store->addSession(session(1796472000));
        const auto aside = asideFiles(folder(), "sessions");
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_EQ(aside[0].filename(), "sessions.unreadable-20261205T120000Z.json");
        entry.checkAside(aside[0]);
        store->addSession(session(1796475600));
        EXPECT_EQ(asideFiles(folder(), "sessions").size(), 1u);
        EXPECT_EQ(makeStore()->sessions().size(), 2u);
    }
}

TEST_F(LocalDataStoreTest, FilesMovedAsideNeverReplaceEarlierOnes)
{
    prepareFolder();
    writeBytes(file("tasks.unreadable-20261205T120000Z.json"), "from an earlier run");
    writeBytes(file("tasks.json"), "not json");
    makeStore()->addTask("One");
    writeBytes(file("tasks.json"), "[{\"broken\": true}]");
    makeStore()->addTask("Two");
    EXPECT_EQ(readBytes(file("tasks.unreadable-20261205T120000Z.json")), "from an earlier run");
    EXPECT_EQ(readBytes(file("tasks.unreadable-20261205T120000Z-2.json")), "not json");
    EXPECT_EQ(readBytes(file("tasks.unreadable-20261205T120000Z-3.json")), "[{\"broken\": true}]");
    EXPECT_EQ(makeStore()->tasks().size(), 1u);
}

TEST_F(LocalDataStoreTest, AFailedSaveKeepsTheChangeAndIsRetriedByTheNextSave)
{
    auto store = makeStore();
    // The file turns into a folder after loading: the rename over it fails.
    fs::create_directory(file("tasks.json"));
    const auto task = store->addTask("Kept in memory");
    ASSERT_TRUE(task);
    EXPECT_EQ(store->tasks().size(), 1u);
    EXPECT_TRUE(fs::is_directory(file("tasks.json")));
    // No temporary file is left behind.
    EXPECT_EQ(entries(folder()), std::set<std::string> { "tasks.json" });

    fs::remove(file("tasks.json"));
    store->addSession(session(1796472000));
    EXPECT_EQ(entries(folder()), (std::set<std::string> { "sessions.json", "tasks.json" }));
    EXPECT_EQ(makeStore()->tasks(), std::vector { *task });

    // A folder removed while running is made again.
    fs::remove_all(folder().parent_path());
    store->addTask("After the folder went away");
    EXPECT_EQ(makeStore()->tasks().size(), 2u);
}

TEST_F(LocalDataStoreTest, AFileInPlaceOfTheFolderKeepsTheStoreInMemoryUntilTheFolderCanBeMade)
{
    fs::create_directories(folder().parent_path());
    writeBytes(folder(), "a user's file");
    auto store = makeStore();
    EXPECT_TRUE(store->sessions().empty());
    store->addSession(session(1796472000));
    ASSERT_TRUE(store->addTask("Still works"));
    EXPECT_EQ(store->sessions().size(), 1u);
    EXPECT_EQ(store->tasks().size(), 1u);
    EXPECT_EQ(readBytes(folder()), "a user's file");

    // When the folder can be made, the next save writes every list that is still unsaved.
    fs::remove(folder());
    store->addDeadline("Exam", 1812636000);
    auto reloaded = makeStore();
    EXPECT_EQ(reloaded->sessions(), store->sessions());
    EXPECT_EQ(reloaded->tasks(), store->tasks());
    EXPECT_EQ(reloaded->deadlines(), store->deadlines());
}

TEST_F(LocalDataStoreTest, TemporariesOfSavesKilledBeforeTheirRenameGoAtStart)
{
    prepareFolder();
    // Today's names and the earlier store's; names that merely look alike are not ours.
    const std::set<std::string> stale { ".sessions.json.tmp-a1B2c3", ".tasks.json.Zz09aB", ".deadlines.json.tmp-000000" };
    const std::set<std::string> foreign { ".tasks.json.old-1", ".notes.json.tmp-a1B2c3", "tasks.json.tmp-a1B2c3" };
    for (const auto& name : stale)
        std::ofstream(file(name)) << "[";
    for (const auto& name : foreign)
        std::ofstream(file(name)) << "keep";
    {
        testsupport::FullDisk full;
        EXPECT_FALSE(makeStore()->addTask("Not on a full disk")->title.empty());
    }
    EXPECT_EQ(entries(folder()), foreign) << "a failed save leaves nothing behind either";
}

TEST_F(LocalDataStoreTest, DefaultFolderFollowsTheXdgDataHome)
{
    veltrane::testing::ScopedEnvironment dataHome("XDG_DATA_HOME", "/data/home");
    const veltrane::testing::ScopedEnvironment home("HOME", "/home/someone");
    EXPECT_EQ(LocalDataStore::defaultFolder(), fs::path("/data/home/Moorlet"));
    // A relative data home is invalid and ignored, as is an empty one.
    dataHome.set("relative/ignored");
    EXPECT_EQ(LocalDataStore::defaultFolder(), fs::path("/home/someone/.local/share/Moorlet"));
    dataHome.set("");
    EXPECT_EQ(LocalDataStore::defaultFolder(), fs::path("/home/someone/.local/share/Moorlet"));
}

// Tasks

TEST_F(LocalDataStoreTest, AddTaskTrimsTitlesAndRefusesBlankOnes)
{
    auto store = makeStore();
    QSignalSpy changed(store.get(), &LocalDataStore::tasksChanged);
    EXPECT_FALSE(store->addTask(" \t\n\u3000\u00a0 "));
    EXPECT_FALSE(store->addTask(""));
    EXPECT_EQ(changed.count(), 0);
    EXPECT_FALSE(fs::exists(file("tasks.json")));

    const auto task = store->addTask("  \u2003Read chapter 4\n");
    ASSERT_TRUE(task);
    EXPECT_EQ(task->title, "Read chapter 4");
    EXPECT_EQ(task->createdAt, clock->now());
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(store->addTask("Über \xff")->title, "Über \xff"); // bytes that are not text are kept
    EXPECT_EQ(RecordJson::decode<FocusTask>(readBytes(file("tasks.json")))->at(0), *task);
}

TEST_F(LocalDataStoreTest, TaskOperationsSaveOnlyWhenTheyShould)
{
    auto store = makeStore();
    const auto first = *store->addTask("First");
    const auto second = *store->addTask("Second");
    QSignalSpy changed(store.get(), &LocalDataStore::tasksChanged);
    // Anything written from here on replaces this marker.
    const auto marker = std::string("unchanged");
    writeBytes(file("tasks.json"), marker);

    const auto unknown = QUuid::createUuid();
    store->toggleTask(unknown);
    store->logTime(60, unknown);
    for (const double seconds : { 0.0, -5.0, std::nan(""), std::numeric_limits<double>::infinity() })
        store->logTime(seconds, first.id);
    EXPECT_EQ(readBytes(file("tasks.json")), marker);
    EXPECT_EQ(store->tasks()[0].loggedSeconds, 0);
    EXPECT_EQ(changed.count(), 0);

    store->logTime(1500, first.id);
    store->logTime(0.5, first.id);
    EXPECT_EQ(store->task(first.id)->loggedSeconds, 1500.5);
    EXPECT_EQ(RecordJson::decode<FocusTask>(readBytes(file("tasks.json")))->at(0).loggedSeconds, 1500.5);
    EXPECT_EQ(changed.count(), 2);

    store->toggleTask(second.id);
    EXPECT_TRUE(store->task(second.id)->done);
    EXPECT_EQ(changed.count(), 3);

    // Deleting saves even when nothing matched, but only a real change is signalled.
    writeBytes(file("tasks.json"), marker);
    store->deleteTask(unknown);
    EXPECT_EQ(RecordJson::decode<FocusTask>(readBytes(file("tasks.json"))), store->tasks());
    EXPECT_EQ(changed.count(), 3);

    store->clearCompletedTasks();
    EXPECT_EQ(store->tasks(), std::vector { *store->task(first.id) });
    EXPECT_EQ(changed.count(), 4);
    store->clearCompletedTasks();
    EXPECT_EQ(changed.count(), 4);
    store->deleteTask(first.id);
    EXPECT_TRUE(store->tasks().empty());
    EXPECT_EQ(changed.count(), 5);
    EXPECT_EQ(readBytes(file("tasks.json")), "[]");
}

TEST_F(LocalDataStoreTest, SortedTasksPutsOpenBeforeDoneAndNewerFirst)
{
    auto store = makeStore();
    const auto doneOld = *store->addTask("done old");
    store->addTask("open old");
    clock->advance(3600);
    store->addTask("open new");
    const auto doneNew = *store->addTask("done new");
    store->toggleTask(doneOld.id);
    store->toggleTask(doneNew.id);
    // Equal creation times keep the order they were added in.
    EXPECT_EQ(titles(store->sortedTasks()), (std::vector<std::string> { "open new", "open old", "done new", "done old" }));
}

// Sessions

TEST_F(LocalDataStoreTest, AddSessionAppendsSavesAndSignals)
{
    auto store = makeStore();
    QSignalSpy changed(store.get(), &LocalDataStore::sessionsChanged);
    const auto later = session(1796475600, "flowmodoro");
    const auto earlier = session(1796472000, "untilTime");
    store->addSession(later);
    store->addSession(earlier);
    EXPECT_EQ(store->sessions(), (std::vector { later, earlier }));
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(RecordJson::decode<FocusSession>(readBytes(file("sessions.json"))), store->sessions());
}

// Deadlines

TEST_F(LocalDataStoreTest, DeadlinesStaySortedInMemoryAndOnDisk)
{
    auto store = makeStore();
    QSignalSpy changed(store.get(), &LocalDataStore::deadlinesChanged);
    const auto utc = veltrane::Calendar::utc();
    store->addDeadline("12 May", at(utc, 2027, 5, 12, 9));
    store->addDeadline("3 May", at(utc, 2027, 5, 3, 9));
    store->addDeadline("9 May", at(utc, 2027, 5, 9, 9));
    store->addDeadline("9 May, second", at(utc, 2027, 5, 9, 9), std::string("  Physics "));
    EXPECT_FALSE(store->addDeadline("  \n", at(utc, 2027, 5, 1)));
    EXPECT_FALSE(store->addDeadline("Not a date", std::nan("")));
    EXPECT_EQ(changed.count(), 4);

    const auto onDisk = RecordJson::decode<Deadline>(readBytes(file("deadlines.json")));
    ASSERT_TRUE(onDisk);
    EXPECT_EQ(titles(*onDisk), (std::vector<std::string> { "3 May", "9 May", "9 May, second", "12 May" }));
    EXPECT_EQ(store->deadlines()[2].subject, "  Physics ");
    EXPECT_EQ(*onDisk, store->deadlines());
}

// 09:00 local time on the day before the deadline's day, whatever daylight saving does to either
// day; deleting the deadline cancels it.
TEST_F(LocalDataStoreTest, ADeadlineGetsAReminderAtNineTheDayBeforeAndDeletingCancelsIt)
{
    struct Case {
        const char* zone;
        int year, month, day; // the deadline's day (at noon)
        double expected;      // the reminder instant, UTC
    };
    const Case cases[] = {
        { "America/New_York", 2027, 6, 10, 1812546000 }, // 2027-06-09T13:00:00Z
        // The day before is 23 hours long (clocks go forward at 02:00): 09:00 EDT.
        { "America/New_York", 2026, 3, 9, 1772974800 },  // 2026-03-08T13:00:00Z
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(std::string(entry.zone) + " " + std::to_string(entry.month) + "/" + std::to_string(entry.day));
        const auto calendar = *veltrane::Calendar::named(entry.zone);
        notifications.scheduled.clear();
        notifications.cancelled.clear();
        auto store = makeStore(calendar);
        const auto date = at(calendar, entry.year, entry.month, entry.day, 12);
        const auto deadline = *store->addDeadline("Exam", date);
        const auto identifier = "exam-" + UuidText::format(deadline.id);
        EXPECT_EQ(LocalDataStore::reminderIdentifier(deadline.id), identifier);
        const RecordingNotifications::Request reminder { identifier, entry.expected, "Exam tomorrow",
            "Exam is tomorrow. Time for a final review?" };
        EXPECT_EQ(notifications.scheduled, std::vector { reminder });

        QSignalSpy changed(store.get(), &LocalDataStore::deadlinesChanged);
        store->deleteDeadline(deadline);
        EXPECT_TRUE(store->deadlines().empty());
        EXPECT_EQ(notifications.cancelled, std::vector { identifier });
        EXPECT_EQ(changed.count(), 1);
        EXPECT_EQ(readBytes(file("deadlines.json")), "[]");
    }
}

TEST_F(LocalDataStoreTest, NextUpcomingIsTheEarliestDeadlineNotInThePast)
{
    auto store = makeStore();
    const auto now = clock->now();
    EXPECT_FALSE(store->nextUpcoming());
    store->addDeadline("Two minutes ago", now - 120);
    store->addDeadline("Tomorrow", now + 86400);
    const auto soonFirst = *store->addDeadline("Soon, first", now + 600);
    store->addDeadline("Soon, second", now + 600);
    EXPECT_EQ(store->nextUpcoming(), soonFirst);
    const auto exactlyNow = *store->addDeadline("Now", now);
    EXPECT_EQ(store->nextUpcoming(), exactlyNow);
}
