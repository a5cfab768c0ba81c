#pragma once

#include "Moorlet/Data/DataFolder.h"
#include "Moorlet/Data/Deadline.h"
#include "Moorlet/Data/FocusSession.h"
#include "Moorlet/Data/FocusTask.h"
#include "VeltraneKit/Time/Calendar.h"
#include "VeltraneKit/Time/Clock.h"

#include <QObject>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace veltrane {
class NotificationScheduling;
}

namespace moorlet {

// The app's three lists of records, kept in memory and written through to one JSON file each in
// the data folder ("sessions.json", "tasks.json", "deadlines.json") after every change. Loads
// once, at construction. Schedules a reminder at 09:00 the day before each new deadline.
//
// Failures are silent: a file that is missing or cannot be decoded gives an empty list, and a
// save that fails keeps the change in memory. Two rules keep the user's history safe:
// - a file that exists but could not be read or decoded is renamed aside (for example to
//   "sessions.unreadable-20260305T101112Z.json") before that list is first saved, and the save
//   does not happen while the rename fails, so no save ever replaces what could not be read;
// - every save also retries each list whose last save failed, and recreates a missing folder.
// The store says when it has moved a file aside (fileKeptAside), so that the user can be told;
// it tells nobody itself.
//
// Main thread only. Every `…Changed` signal is emitted after the change, only when the list
// really changed.
class LocalDataStore : public QObject {
    Q_OBJECT

public:
    // `folder` is the data folder, or nothing for a store that lives in memory only. The folder
    // is created with its parents when missing. `notifications` may be null (no reminders) and
    // must outlive the store. `calendar` places days and the 09:00 reminder.
    LocalDataStore(std::optional<std::filesystem::path> folder, veltrane::NotificationScheduling* notifications,
        veltrane::ClockPtr clock, veltrane::Calendar calendar = veltrane::Calendar::current(),
        QObject* parent = nullptr);
    ~LocalDataStore() override;

    // $XDG_DATA_HOME/Moorlet, or ~/.local/share/Moorlet when XDG_DATA_HOME is unset, empty or
    // not absolute; nothing when neither can be found.
    static std::optional<std::filesystem::path> defaultFolder();

    // The data folder, or nothing when the store lives in memory only.
    std::optional<std::filesystem::path> folder() const;

    // In the order they were added.
    const std::vector<FocusSession>& sessions() const { return m_sessions; }
    // In the order they were added; see sortedTasks() for the display order.
    const std::vector<FocusTask>& tasks() const { return m_tasks; }
    // Always sorted by date, earliest first; equal dates keep the order they were added in.
    const std::vector<Deadline>& deadlines() const { return m_deadlines; }

    void addSession(const FocusSession& session);

    // Trims blanks and line breaks from both ends; a title with nothing left is refused (nothing
    // returned, nothing saved). Otherwise appends a new open task created now and returns it.
    std::optional<FocusTask> addTask(const std::string& title);
    // Inverts `done` of the first task with the id; does nothing (and saves nothing) when none has it.
    void toggleTask(const QUuid& id);
    // Removes every task with the id; saves even when none matched.
    void deleteTask(const QUuid& id);
    // Removes every done task; saves even when none was done.
    void clearCompletedTasks();
    // Credits `seconds` to the first task with the id. Changes and saves nothing when `seconds` is
    // not a finite number greater than 0 or when no task has the id.
    void logTime(veltrane::Seconds seconds, const QUuid& toTask);
    // The first task with the id; nothing when the id is absent or no task has it.
    std::optional<FocusTask> task(const std::optional<QUuid>& id) const;
    // The display order: open tasks before done ones, newer before older within each group.
    std::vector<FocusTask> sortedTasks() const;

    // Trims the title as addTask does and refuses a blank one (and a date that is not a finite
    // number). Otherwise inserts the deadline in
    // date order, saves, schedules its reminder and returns it. The subject is kept as given.
    std::optional<Deadline> addDeadline(
        const std::string& title, veltrane::Instant date, const std::optional<std::string>& subject = std::nullopt);
    // Removes every deadline with the deadline's id, saves, and withdraws its pending reminder.
    void deleteDeadline(const Deadline& deadline);
    // The earliest deadline that is not earlier than now (the first in list order among equals).
    std::optional<Deadline> nextUpcoming() const;
    // Whole calendar days from the day of `from` to the deadline's day: today 0, tomorrow 1,
    // yesterday -1, whatever the times of day and however long the days in between.
    int daysUntil(const Deadline& deadline, veltrane::Instant from) const;

    // The identifier of a deadline's reminder: "exam-" and the id's upper-case UUID text.
    static std::string reminderIdentifier(const QUuid& deadlineId);

signals:
    void sessionsChanged();
    void tasksChanged();
    void deadlinesChanged();
    // A file that could not be read was moved aside to `keptPath`; `records` names what it held
    // and what is missing from the list ("sessions", "tasks" or "deadlines"). Emitted once per
    // file, when it is moved.
    void fileKeptAside(const QString& records, const QString& keptPath);

private:
    enum class List {
        sessions,
        deadlines,
        tasks,
    };

    // What the store knows of one list's file.
    struct FileState {
        // The file existed but could not be read or decoded: it is moved aside before the list is
        // first written.
        bool keepAside = false;
        // The list has changes that are not on disk yet.
        bool unsaved = false;
    };

    void load();
    template <class Record>
    void loadList(List list, std::vector<Record>& records);
    void save(List changed);
    void writeIfUnsaved(List list);
    FileState& fileState(List list);
    static std::string_view fileName(List list);
    void scheduleReminder(const Deadline& deadline);

    std::optional<DataFolder> m_folder;
    veltrane::NotificationScheduling* m_notifications;
    veltrane::ClockPtr m_clock;
    veltrane::Calendar m_calendar;

    std::vector<FocusSession> m_sessions;
    std::vector<Deadline> m_deadlines;
    std::vector<FocusTask> m_tasks;
    FileState m_sessionsFile;
    FileState m_deadlinesFile;
    FileState m_tasksFile;
};

} // namespace moorlet
