#include "VeltraneKit/Settings/FileUserDefaults.h"

#include "VeltraneKit/Files/DurableFile.h"

#include <QCoreApplication>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <variant>

namespace veltrane {

namespace {

namespace fs = std::filesystem;

constexpr auto kApplicationFolder = "Moorlet";
constexpr auto kFileName = "defaults.json";
constexpr auto kMovedAsideSuffix = ".unreadable-";
constexpr int kMoveAsideAttempts = 1000;

struct Missing { };
struct Unreadable { };
using ReadResult = std::variant<Missing, Unreadable, std::string>;

ReadResult readFile(const fs::path& path)
{
    // A FIFO in the file's place never blocks the read; it is no regular file and is set aside.
    auto file = DurableFile::read(path, FileUserDefaults::kMaxFileSize);
    switch (file.status) {
    case DurableFile::ReadStatus::read:
        return std::move(file.text);
    case DurableFile::ReadStatus::missing:
        return Missing {};
    case DurableFile::ReadStatus::unreadable:
        break;
    }
    return Unreadable {};
}

// The JSON object in text, or nothing when text is not a JSON object within the nesting limit.
std::optional<nlohmann::json> parseObject(const std::string& text)
{
    // JSON text never holds a raw NUL, but the parser would take one for the end of the input and
    // quietly drop whatever follows it.
    if (text.find('\0') != std::string::npos)
        return std::nullopt;
    bool tooDeep = false;
    const auto limitDepth = [&tooDeep](int depth, nlohmann::json::parse_event_t, nlohmann::json&) {
        if (depth > FileUserDefaults::kMaxNesting)
            tooDeep = true;
        return !tooDeep;
    };
    try {
        auto document = nlohmann::json::parse(text, limitDepth, /*allow_exceptions=*/false);
        if (tooDeep || document.is_discarded() || !document.is_object())
            return std::nullopt;
        return document;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// The file's text for the values. Keys and strings that are not valid UTF-8 are written with
// replacement characters rather than making the whole write fail.
std::string fileText(const nlohmann::json& values)
{
    return values.dump(2, ' ', /*ensure_ascii=*/false, nlohmann::json::error_handler_t::replace) + '\n';
}

// Renames from to to unless something already has that name.
enum class RenameOutcome { renamed, nameTaken, failed };
RenameOutcome renameWithoutReplacing(const fs::path& from, const fs::path& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return RenameOutcome::renamed;
    if (errno == EEXIST)
        return RenameOutcome::nameTaken;
    if (errno != EINVAL && errno != ENOSYS)
        return RenameOutcome::failed;
    // The file system cannot refuse to replace by itself; check first instead.
    struct stat status { };
    if (::lstat(to.c_str(), &status) == 0)
        return RenameOutcome::nameTaken;
    if (errno != ENOENT)
        return RenameOutcome::failed;
    return ::rename(from.c_str(), to.c_str()) == 0 ? RenameOutcome::renamed : RenameOutcome::failed;
}

// The file a write replaces: the target of a symbolic link in the file's place, else the path.
fs::path writeTarget(const fs::path& path)
{
    std::error_code error;
    if (!fs::is_symlink(path, error))
        return path;
    auto target = fs::weakly_canonical(path, error);
    return error ? path : target;
}

// Whether something other than a regular file (a folder, a pipe) stands where the file was: it
// holds no values to take over.
bool isNotRegularFile(const fs::path& path)
{
    struct stat status { };
    return ::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode);
}

QString qPath(const fs::path& path)
{
    return QString::fromLocal8Bit(path.c_str());
}

fs::path homeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return ".";
}

} // namespace

FileUserDefaults::FileUserDefaults(std::filesystem::path path)
    : m_path(std::move(path))
{
    load();
    watch();
}

FileUserDefaults::~FileUserDefaults()
{
    if (m_unsaved)
        save();
}

std::filesystem::path FileUserDefaults::defaultPath()
{
    fs::path configHome;
    // Per the XDG base directory rules, a relative value is invalid and must be ignored.
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && fs::path(xdg).is_absolute())
        configHome = xdg;
    else
        configHome = homeFolder() / ".config";
    return configHome / kApplicationFolder / kFileName;
}

std::optional<nlohmann::json> FileUserDefaults::value(const std::string& key) const
{
    auto found = m_values.find(key);
    if (found == m_values.end())
        return std::nullopt;
    return *found;
}

void FileUserDefaults::setValue(const std::string& key, const nlohmann::json& value)
{
    mergeFromDisk(&key);
    auto found = m_values.find(key);
    if (found != m_values.end() && *found == value && !m_unsaved)
        return;
    // A value the reader would refuse at the next start would cost every other setting with it
    // (the whole file is set aside), so it is refused now.
    auto candidate = m_values;
    candidate[key] = value;
    const auto text = fileText(candidate);
    if (text.size() > kMaxFileSize || !parseObject(text))
        return;
    m_values = std::move(candidate);
    m_pendingKeys.insert(key);
    save();
}

void FileUserDefaults::removeValue(const std::string& key)
{
    mergeFromDisk(&key);
    if (m_values.erase(key) == 0 && !m_unsaved)
        return;
    m_pendingKeys.insert(key);
    save();
}

void FileUserDefaults::reloadFromDisk()
{
    mergeFromDisk(nullptr);
    watch();
}

void FileUserDefaults::mergeFromDisk(const std::string* writing)
{
    if (isNotRegularFile(m_path))
        return;
    auto read = readFile(m_path);
    if (std::holds_alternative<Missing>(read))
        return;
    std::optional<nlohmann::json> onDisk;
    if (auto* text = std::get_if<std::string>(&read))
        onDisk = parseObject(*text);
    if (!onDisk) {
        // Half-way through an edit, perhaps: keep what we have and leave the file alone until
        // it is fixed, or until a change made here has to be saved.
        m_mustMoveAside = true;
        return;
    }
    m_mustMoveAside = false;
    // Our own save (or the file as we loaded it) read back: nothing for us to take over. Values
    // that do not survive the trip through JSON text unchanged (NaN, broken UTF-8) are thus not
    // mistaken for an outside edit.
    if (*onDisk == m_lastSeen)
        return;
    m_lastSeen = *onDisk;

    // What changed here and is not saved yet is newer than the file: it keeps its value.
    const auto keepOwnValue = [&](const std::string& key) {
        if (auto own = m_values.find(key); own != m_values.end())
            (*onDisk)[key] = *own;
        else
            onDisk->erase(key);
    };
    for (const auto& key : m_pendingKeys)
        keepOwnValue(key);

    std::vector<std::string> changed;
    for (const auto& [key, value] : m_values.items()) {
        auto other = onDisk->find(key);
        if (other == onDisk->end() || *other != value)
            changed.push_back(key);
    }
    for (const auto& [key, value] : onDisk->items()) {
        if (!m_values.contains(key))
            changed.push_back(key);
    }
    if (changed.empty())
        return;
    m_values = std::move(*onDisk);
    // The key about to be written is taken from the file too (so that writing the value it
    // already holds is no change), but nobody needs to hear of a value replaced at once.
    if (writing)
        std::erase(changed, *writing);
    std::sort(changed.begin(), changed.end());
    notifyChangeObservers(changed);
}

void FileUserDefaults::watch()
{
    // The watcher delivers its news through the event loop; without one there is nothing to
    // deliver them (command-line tools, tests of the file format alone).
    if (!QCoreApplication::instance())
        return;
    if (!m_watcher) {
        m_watcher = std::make_unique<QFileSystemWatcher>();
        const auto reload = [this] { reloadFromDisk(); };
        QObject::connect(m_watcher.get(), &QFileSystemWatcher::directoryChanged, reload);
        QObject::connect(m_watcher.get(), &QFileSystemWatcher::fileChanged, reload);
    }
    const auto target = writeTarget(m_path);
    const auto folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::error_code error;
    if (fs::is_directory(folder, error) && !m_watcher->directories().contains(qPath(folder)))
        m_watcher->addPath(qPath(folder));
    // A watch on the file follows the file it was set on, and a save or an outside edit may have
    // replaced it since: renew it so that it follows the one there now.
    if (const auto files = m_watcher->files(); !files.isEmpty())
        m_watcher->removePaths(files);
    if (fs::is_regular_file(target, error))
        m_watcher->addPath(qPath(target));
}

std::vector<std::string> FileUserDefaults::keys() const
{
    std::vector<std::string> keys;
    keys.reserve(m_values.size());
    for (const auto& [key, value] : m_values.items())
        keys.push_back(key);
    return keys;
}

void FileUserDefaults::load()
{
    DurableFile::removeStaleTemporaries(writeTarget(m_path));
    auto read = readFile(m_path);
    if (std::holds_alternative<Missing>(read))
        return;
    if (auto* text = std::get_if<std::string>(&read)) {
        if (auto object = parseObject(*text)) {
            m_values = std::move(*object);
            m_lastSeen = m_values;
            return;
        }
    }
    m_mustMoveAside = true;
    moveAside();
}

bool FileUserDefaults::moveAside()
{
    if (!m_mustMoveAside)
        return true;
    for (int attempt = 1; attempt <= kMoveAsideAttempts; ++attempt) {
        auto aside = m_path;
        aside += kMovedAsideSuffix + std::to_string(attempt);
        switch (renameWithoutReplacing(m_path, aside)) {
        case RenameOutcome::renamed:
            m_mustMoveAside = false;
            m_movedAsidePath = aside;
            return true;
        case RenameOutcome::nameTaken:
            continue;
        case RenameOutcome::failed:
            // Gone already (someone else moved it): nothing is left to protect.
            if (errno == ENOENT) {
                m_mustMoveAside = false;
                return true;
            }
            return false;
        }
    }
    return false;
}

void FileUserDefaults::save()
{
    m_unsaved = true;
    if (!moveAside())
        return;

    const auto target = writeTarget(m_path);
    const auto folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        return;

    const auto text = fileText(m_values);
    if (!DurableFile::replace(target, text))
        return;
    m_lastSeen = parseObject(text).value_or(nlohmann::json());
    m_pendingKeys.clear();
    watch();
    m_unsaved = false;
}

} // namespace veltrane
