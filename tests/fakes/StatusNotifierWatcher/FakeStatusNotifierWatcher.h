#pragma once

#include "tests/support/FakeServiceProcess.h"

#include <QStringList>

// The test tray (fake-status-notifier-watcher) run for one test on the session bus. Start it
// before the program under test: Qt decides once, when its first tray icon is made, whether a
// tray exists.
//
//   FakeStatusNotifierWatcher tray;
//   … start the program …
//   ASSERT_TRUE(tray.waitForItems(1));
//   TrayMenu menu(tray.items().first());
class FakeStatusNotifierWatcher {
public:
    FakeStatusNotifierWatcher();

    bool isReady() const { return m_process.isReady(); }

    // The registered items as "service/path".
    QStringList items() const;
    // Waits (on real I/O) until at least `count` items have registered.
    bool waitForItems(qsizetype count) const;

private:
    FakeServiceProcess m_process;
};
