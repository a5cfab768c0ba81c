#include "VeltraneKit/Settings/FileUserDefaults.h"

#include "VeltraneKit/Files/DurableFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

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
    save();
}

void FileUserDefaults::removeValue(const std::string& key)
{
    if (m_values.erase(key) == 0 && !m_unsaved)
        return;
    save();
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

    if (!DurableFile::replace(target, fileText(m_values)))
        return;
    m_unsaved = false;
}

} // namespace veltrane
