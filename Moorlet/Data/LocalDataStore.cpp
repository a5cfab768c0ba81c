#include "Moorlet/Data/LocalDataStore.h"

#include "Moorlet/Data/Iso8601.h"
#include "Moorlet/Data/RecordJson.h"
#include "Moorlet/Data/Utf8.h"
#include "Moorlet/Data/UuidText.h"
#include "VeltraneKit/Notifications/NotificationScheduling.h"

#include <date/date.h>

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace moorlet {

namespace {

constexpr auto kSessionsFile = std::string_view { "sessions.json" };
constexpr auto kDeadlinesFile = std::string_view { "deadlines.json" };
constexpr auto kTasksFile = std::string_view { "tasks.json" };
constexpr auto kFolderName = std::string_view { "Moorlet" };

constexpr auto kReminderPrefix = std::string_view { "exam-" };
constexpr auto kReminderHour = 9;
constexpr auto kReminderTitle = std::string_view { "Exam tomorrow" };
constexpr auto kReminderBodySuffix = std::string_view { " is tomorrow. Time for a final review?" };

// Unicode white space and line breaks (the White_Space property), as trimming a title removes.
bool isWhiteSpace(char32_t codePoint)
{
    return (codePoint >= 0x09 && codePoint <= 0x0D) || codePoint == 0x20 || codePoint == 0x85 || codePoint == 0xA0
        || codePoint == 0x1680 || (codePoint >= 0x2000 && codePoint <= 0x200A) || codePoint == 0x2028
        || codePoint == 0x2029 || codePoint == 0x202F || codePoint == 0x205F || codePoint == 0x3000;
}

// Trims white space and line breaks from both ends. Bytes that are not UTF-8 are not white space
// and are kept.
std::string trimmed(std::string_view text)
{
    while (!text.empty()) {
        const auto length = Utf8::wellFormedLength(text);
        if (length == 0 || !isWhiteSpace(Utf8::decode(text, length)))
            break;
        text.remove_prefix(length);
    }
    while (!text.empty()) {
        // Step back over continuation bytes to the start of the last sequence.
        std::size_t start = text.size() - 1;
        while (start > 0 && text.size() - start < 4 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
            --start;
        const auto last = text.substr(start);
        const auto length = Utf8::wellFormedLength(last);
        if (length != last.size() || !isWhiteSpace(Utf8::decode(last, length)))
            break;
        text.remove_suffix(length);
    }
    return std::string(text);
}

bool isEarlier(const Deadline& first, const Deadline& second)
{
    return first.date < second.date;
}

// A compact UTC stamp for the names of files moved aside: "20260305T101112Z".
std::string fileStamp(veltrane::Instant now)
{
    auto stamp = Iso8601::format(now);
    std::erase_if(stamp, [](char character) { return character == '-' || character == ':'; });
    return stamp;
}

} // namespace

LocalDataStore::LocalDataStore(std::optional<std::filesystem::path> folder,
    veltrane::NotificationScheduling* notifications, veltrane::ClockPtr clock, veltrane::Calendar calendar,
    QObject* parent)
    : QObject(parent)
    , m_notifications(notifications)
    , m_clock(std::move(clock))
    , m_calendar(calendar)
{
    if (folder) {
        m_folder.emplace(std::move(*folder));
        // A folder that cannot be created is not fatal: saves fail silently until it can be.
        m_folder->create();
        // Only a save killed before its rename leaves one; nothing else would ever remove them.
        for (const auto list : { List::sessions, List::tasks, List::deadlines })
            m_folder->removeStaleTemporaries(fileName(list));
    }
    load();
}

LocalDataStore::~LocalDataStore() = default;

std::optional<std::filesystem::path> LocalDataStore::defaultFolder()
{
    // Relative values are invalid by the XDG base directory rules and are ignored.
    const auto absolute = [](const char* value) -> std::optional<std::filesystem::path> {
        if (value && value[0] == '/')
            return std::filesystem::path(value);
        return std::nullopt;
    };
    if (auto dataHome = absolute(std::getenv("XDG_DATA_HOME")))
        return *dataHome / kFolderName;
    auto home = absolute(std::getenv("HOME"));
    if (!home) {
        if (const auto* account = ::getpwuid(::getuid()))
            home = absolute(account->pw_dir);
    }
    if (!home)
        return std::nullopt;
    return *home / ".local" / "share" / kFolderName;
}

std::optional<std::filesystem::path> LocalDataStore::folder() const
{
    if (!m_folder)
        return std::nullopt;
    return m_folder->path();
}

std::string LocalDataStore::reminderIdentifier(const QUuid& deadlineId)
{
    std::string identifier(kReminderPrefix);
    UuidText::append(identifier, deadlineId);
    return identifier;
}

// Loading

void LocalDataStore::load()
{
    loadList(List::sessions, m_sessions);
    loadList(List::deadlines, m_deadlines);
    loadList(List::tasks, m_tasks);
    std::stable_sort(m_deadlines.begin(), m_deadlines.end(), isEarlier);
}

template <class Record>
void LocalDataStore::loadList(List list, std::vector<Record>& records)
{
    if (!m_folder)
        return;
    auto file = m_folder->read(fileName(list));
    if (file.status == DataFolder::ReadStatus::missing)
        return;
    std::optional<std::vector<Record>> decoded;
    if (file.status == DataFolder::ReadStatus::read)
        decoded = RecordJson::decode<Record>(file.text);
    if (decoded)
        records = std::move(*decoded);
    else
        fileState(list).keepAside = true;
}

// Saving

std::string_view LocalDataStore::fileName(List list)
{
    switch (list) {
    case List::sessions:
        return kSessionsFile;
    case List::deadlines:
        return kDeadlinesFile;
    case List::tasks:
        break;
    }
    return kTasksFile;
}

LocalDataStore::FileState& LocalDataStore::fileState(List list)
{
    switch (list) {
    case List::sessions:
        return m_sessionsFile;
    case List::deadlines:
        return m_deadlinesFile;
    case List::tasks:
        break;
    }
    return m_tasksFile;
}

void LocalDataStore::save(List changed)
{
    if (!m_folder)
        return;
    fileState(changed).unsaved = true;
    // Lists whose last save failed are retried along with the one that changed.
    writeIfUnsaved(changed);
    for (const auto list : { List::sessions, List::deadlines, List::tasks }) {
        if (list != changed)
            writeIfUnsaved(list);
    }
}

void LocalDataStore::writeIfUnsaved(List list)
{
    auto& state = fileState(list);
    if (!state.unsaved)
        return;
    // The folder may have been removed while the app ran.
    m_folder->create();
    if (state.keepAside) {
        const auto name = fileName(list);
        const auto moved = m_folder->moveAside(name, "unreadable-" + fileStamp(m_clock->now()));
        if (moved.result == DataFolder::MoveResult::failed)
            return;
        state.keepAside = false;
        if (moved.result == DataFolder::MoveResult::moved)
            emit fileKeptAside(QString::fromUtf8(name.substr(0, name.find('.'))),
                QString::fromStdString(moved.movedTo.string()));
    }
    std::string text;
    switch (list) {
    case List::sessions:
        text = RecordJson::encode(m_sessions);
        break;
    case List::deadlines:
        text = RecordJson::encode(m_deadlines);
        break;
    case List::tasks:
        text = RecordJson::encode(m_tasks);
        break;
    }
    if (m_folder->write(fileName(list), text))
        state.unsaved = false;
}

// Sessions

void LocalDataStore::addSession(const FocusSession& session)
{
    m_sessions.push_back(session);
    save(List::sessions);
    emit sessionsChanged();
}

// Tasks

std::optional<FocusTask> LocalDataStore::addTask(const std::string& title)
{
    auto cleanTitle = trimmed(title);
    if (cleanTitle.empty())
        return std::nullopt;
    FocusTask task { .id = QUuid::createUuid(),
        .title = std::move(cleanTitle),
        .done = false,
        .loggedSeconds = 0,
        .createdAt = m_clock->now() };
    m_tasks.push_back(task);
    save(List::tasks);
    emit tasksChanged();
    return task;
}

void LocalDataStore::toggleTask(const QUuid& id)
{
    const auto found = std::find_if(m_tasks.begin(), m_tasks.end(), [&](const FocusTask& task) { return task.id == id; });
    if (found == m_tasks.end())
        return;
    found->done = !found->done;
    save(List::tasks);
    emit tasksChanged();
}

void LocalDataStore::deleteTask(const QUuid& id)
{
    const auto removed = std::erase_if(m_tasks, [&](const FocusTask& task) { return task.id == id; });
    save(List::tasks);
    if (removed > 0)
        emit tasksChanged();
}

void LocalDataStore::clearCompletedTasks()
{
    const auto removed = std::erase_if(m_tasks, [](const FocusTask& task) { return task.done; });
    save(List::tasks);
    if (removed > 0)
        emit tasksChanged();
}

void LocalDataStore::logTime(veltrane::Seconds seconds, const QUuid& toTask)
{
    // An infinite credit would make the file unreadable (JSON has no infinity).
    if (!(seconds > 0) || !std::isfinite(seconds))
        return;
    const auto found
        = std::find_if(m_tasks.begin(), m_tasks.end(), [&](const FocusTask& task) { return task.id == toTask; });
    if (found == m_tasks.end())
        return;
    found->loggedSeconds += seconds;
    save(List::tasks);
    emit tasksChanged();
}

std::optional<FocusTask> LocalDataStore::task(const std::optional<QUuid>& id) const
{
    if (!id)
        return std::nullopt;
    const auto found = std::find_if(m_tasks.begin(), m_tasks.end(), [&](const FocusTask& task) { return task.id == *id; });
    if (found == m_tasks.end())
        return std::nullopt;
    return *found;
}

std::vector<FocusTask> LocalDataStore::sortedTasks() const
{
    auto sorted = m_tasks;
    std::stable_sort(sorted.begin(), sorted.end(), [](const FocusTask& first, const FocusTask& second) {
        if (first.done != second.done)
            return !first.done;
        return first.createdAt > second.createdAt;
    });
    return sorted;
}

// Deadlines

std::optional<Deadline> LocalDataStore::addDeadline(
    const std::string& title, veltrane::Instant date, const std::optional<std::string>& subject)
{
    auto cleanTitle = trimmed(title);
    // A date that is not a number could not be ordered or written.
    if (cleanTitle.empty() || !std::isfinite(date))
        return std::nullopt;
    Deadline deadline { .id = QUuid::createUuid(), .title = std::move(cleanTitle), .date = date, .subject = subject };
    // After every deadline of the same date or earlier: the stable order of a sort after append.
    const auto position = std::upper_bound(m_deadlines.begin(), m_deadlines.end(), deadline, isEarlier);
    m_deadlines.insert(position, deadline);
    save(List::deadlines);
    emit deadlinesChanged();
    scheduleReminder(deadline);
    return deadline;
}

void LocalDataStore::deleteDeadline(const Deadline& deadline)
{
    const auto removed = std::erase_if(m_deadlines, [&](const Deadline& stored) { return stored.id == deadline.id; });
    save(List::deadlines);
    if (removed > 0)
        emit deadlinesChanged();
    if (m_notifications)
        m_notifications->cancel(reminderIdentifier(deadline.id));
}

std::optional<Deadline> LocalDataStore::nextUpcoming() const
{
    const auto now = m_clock->now();
    const Deadline* next = nullptr;
    for (const auto& deadline : m_deadlines) {
        if (deadline.date >= now && (!next || deadline.date < next->date))
            next = &deadline;
    }
    if (!next)
        return std::nullopt;
    return *next;
}

int LocalDataStore::daysUntil(const Deadline& deadline, veltrane::Instant from) const
{
    return m_calendar.daysBetween(from, deadline.date);
}

void LocalDataStore::scheduleReminder(const Deadline& deadline)
{
    if (!m_notifications)
        return;
    // 09:00 on the local day before the deadline's day. A 09:00 that a daylight-saving change
    // skips resolves to the first instant after the gap, a repeated one to its first occurrence.
    const auto dayBefore = m_calendar.dayNumber(deadline.date) - 1;
    const date::year_month_day civil { date::sys_days { date::days { dayBefore } } };
    veltrane::DateComponents components;
    components.year = static_cast<int>(civil.year());
    components.month = static_cast<int>(static_cast<unsigned>(civil.month()));
    components.day = static_cast<int>(static_cast<unsigned>(civil.day()));
    components.hour = kReminderHour;
    const auto at = m_calendar.instant(components);
    if (!at)
        return;
    m_notifications->schedule(reminderIdentifier(deadline.id), *at, std::string(kReminderTitle),
        deadline.title + std::string(kReminderBodySuffix));
}

} // namespace moorlet
