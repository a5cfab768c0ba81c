#pragma once

#include "VeltraneKit/Notifications/ScheduledNotification.h"

#include <QString>

#include <vector>

namespace veltrane {

// The JSON file that keeps pending one-time notifications across restarts:
//   {"scheduled": [{"id": "…", "at": "2026-03-14T09:00", "title": "…", "body": "…"}]}
// where "at" is the local minute without a zone.
//
// The file is never lost to a bad read: a file that does not hold exactly that shape, or that is
// no regular file (a pipe never blocks the read), is renamed aside ("….corrupt", "….corrupt-2",
// …) before anything new is written, and one that cannot be moved aside is left alone for the
// rest of the run (saves are refused).
// Main thread only.
class ScheduledNotificationFile {
public:
    explicit ScheduledNotificationFile(QString path);

    const QString& path() const { return m_path; }

    // The stored requests; empty when the file is missing, unreadable or corrupt.
    std::vector<ScheduledNotification> load();

    // Replaces the file's content atomically and durably (temporary file, sync, rename, folder
    // sync), creating its folder when needed. Returns false when nothing was written, a full disk
    // included; the old file is then untouched.
    bool save(const std::vector<ScheduledNotification>& requests);

private:
    bool moveAside();

    QString m_path;
    bool m_writable = true;
};

} // namespace veltrane
