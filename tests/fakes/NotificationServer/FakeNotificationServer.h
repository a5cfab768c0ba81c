#pragma once

#include "tests/support/FakeServiceProcess.h"

#include <QJsonObject>
#include <QList>
#include <QString>

// The test notification server (fake-notification-server) run for one test on the session bus,
// with its log read back as JSON objects (see RecordingNotificationServer for their fields).
//
//   FakeNotificationServer server(folder.filePath("calls.jsonl"));
//   ASSERT_TRUE(server.isReady());
//   … code under test posts …
//   ASSERT_TRUE(server.waitForCalls("Notify", 1));
//   EXPECT_EQ(server.calls("Notify")[0]["summary"], "Focus complete");
//
// To check that nothing was posted, call sync() first: it returns once the server has handled
// every message this process sent earlier on its shared session-bus connection.
class FakeNotificationServer {
public:
    // Whether the server announces that it reads bodies as markup.
    enum class Markup { plain, body };

    explicit FakeNotificationServer(QString logPath, Markup markup = Markup::plain);

    bool isReady() const { return m_process.isReady(); }

    // Every call logged so far, oldest first; only those of `method` when it is given.
    QList<QJsonObject> calls(const QString& method = {}) const;
    // Waits (on real I/O) until at least `count` calls of `method` are logged.
    bool waitForCalls(const QString& method, qsizetype count) const;
    // A round trip to the server on QDBusConnection::sessionBus().
    void sync() const;

private:
    QString m_logPath;
    FakeServiceProcess m_process;
};
