#pragma once

#include <QString>

#include <chrono>
#include <functional>
#include <string>

namespace testsupport {

// How long a test waits for a helper program (a fake service, a player) to come up. Generous,
// because a loaded machine starts programs slowly and the wait ends as soon as it is up.
inline constexpr std::chrono::seconds kProgramStartTimeout { 60 };

// Makes a failed ASSERT_* end the test, also from inside a helper function, where it would
// otherwise only return from the helper and leave the test to run on past its failed
// precondition. The mains call it once.
void endTestsAtFatalFailures();

// Spins the Qt event loop until the predicate holds or the timeout passes. Returns the
// predicate's last value. For waiting on real I/O (D-Bus, X11, child processes) only: time
// that a Clock controls is advanced, never waited for.
bool waitUntil(const std::function<bool()>& predicate,
    std::chrono::milliseconds timeout = std::chrono::seconds(10));

// Processes pending events for a short while (lets queued signals and D-Bus replies land).
void processEvents(std::chrono::milliseconds duration = std::chrono::milliseconds(50));

// A fresh temporary folder removed when the object goes away.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    QString path() const { return m_path; }
    std::string stdPath() const { return m_path.toStdString(); }
    QString filePath(const QString& name) const;

private:
    QString m_path;
};

// Makes writes past `bytes` bytes of any file fail while it lives, as a full disk does (the
// write fails with EFBIG instead of ENOSPC; the signal the kernel would send is ignored).
class FullDisk {
public:
    explicit FullDisk(unsigned long bytes = 0);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    unsigned long m_previousLimit;
    void (*m_previousHandler)(int);
};

// The repository's root folder (for fixtures), from MOORLET_SOURCE_DIR.
QString sourceDir();

} // namespace testsupport
