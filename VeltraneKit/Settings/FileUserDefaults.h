#pragma once

#include "VeltraneKit/Settings/UserDefaults.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <set>
#include <nlohmann/json.hpp>

class QFileSystemWatcher;

namespace veltrane {

// The user-defaults database kept in one JSON object file, by default
// $XDG_CONFIG_HOME/Moorlet/defaults.json (~/.config/Moorlet/defaults.json).
//
// The whole file is read at construction. Every change is written through at once and
// atomically: the whole object goes to a new file in the same folder, which is synced and then
// renamed over the old one, and the folder is synced, so a crash or a power cut leaves either the
// old file or the new one, never a mix. Temporary files a killed write left behind go at start.
// A value the reader would refuse (over the size or nesting limit) is refused when set.
// A symbolic link in the file's place is followed, so a linked dotfile stays linked.
//
// The file is the user's too: they may edit it by hand while the program runs. With a Qt event
// loop running, the file and its folder are watched (the folder because every save replaces the
// file, which ends a watch on the file itself; the file for editors that write in place), and an
// outside edit is taken over at once: values of a wrong kind read as the readers' defaults, just
// as at start, and the observers hear which keys changed. Every write first takes over the file's
// current content in the same way and then writes the one key being changed over it, so a save
// never brings back a stale copy of the other keys. Our own saves read back unchanged and tell no
// one. While the file holds no JSON object (the user is half-way through an edit), the values in
// memory stay and the file is left alone; only a change made here before they fix it moves it
// aside, as at start. A file that vanished, or a folder or pipe in its place, holds nothing to take
// over: the values in memory stay.
//
// A file that cannot be read or parsed, or that holds anything but a JSON object, is moved aside
// to a new name beside it ("defaults.json.unreadable-1", "-2", …; an existing name is never
// replaced) and the store starts empty, so every reader falls back to its default. While such a
// file cannot be moved away it is never written over: writes wait until it can be.
//
// Failures are silent. A write that fails (unwritable folder, a file where the folder should be)
// keeps the value in memory, where readers see it, and the next change writes everything again;
// destruction makes one last attempt.
//
// Main thread only.
class FileUserDefaults final : public UserDefaults {
public:
    // Files larger than this are not defaults this program wrote; they are moved aside unread.
    static constexpr std::size_t kMaxFileSize = 8 * 1024 * 1024;
    // Deeper JSON is moved aside too, which keeps every later copy, comparison and write of the
    // values (all recursive) clear of the stack's limits.
    static constexpr int kMaxNesting = 64;

    explicit FileUserDefaults(std::filesystem::path path = defaultPath());
    ~FileUserDefaults() override;
    FileUserDefaults(const FileUserDefaults&) = delete;
    FileUserDefaults& operator=(const FileUserDefaults&) = delete;

    // $XDG_CONFIG_HOME/Moorlet/defaults.json when XDG_CONFIG_HOME holds an absolute path, else
    // ~/.config/Moorlet/defaults.json.
    static std::filesystem::path defaultPath();

    std::optional<nlohmann::json> value(const std::string& key) const override;
    void setValue(const std::string& key, const nlohmann::json& value) override;
    void removeValue(const std::string& key) override;
    std::vector<std::string> keys() const override;

    // Reads the file again and takes over what another writer changed. The watcher calls it;
    // tests may call it to stand in for the watcher.
    void reloadFromDisk();

    const std::filesystem::path& path() const { return m_path; }
    // Where an unreadable file found at construction now is, once it has been moved aside.
    const std::optional<std::filesystem::path>& movedAsidePath() const { return m_movedAsidePath; }
    // True while some change has not reached the disk.
    bool hasUnsavedChanges() const { return m_unsaved; }

private:
    void load();
    bool moveAside();
    void save();
    // Takes over the file's current content and tells the observers which keys it changed,
    // all but `writing` (the key about to be written over).
    void mergeFromDisk(const std::string* writing);
    // Follows the file as it is now (a save or an outside edit may have replaced it).
    void watch();

    std::filesystem::path m_path;
    nlohmann::json m_values = nlohmann::json::object();
    // Keys changed here that have not reached the disk yet: they win over the file when merging.
    std::set<std::string> m_pendingKeys;
    // The file's content as we last saved, loaded or took it over.
    nlohmann::json m_lastSeen = nlohmann::json::object();
    std::unique_ptr<QFileSystemWatcher> m_watcher;
    std::optional<std::filesystem::path> m_movedAsidePath;
    bool m_mustMoveAside = false;
    bool m_unsaved = false;
};

} // namespace veltrane
