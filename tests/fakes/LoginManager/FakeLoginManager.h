#pragma once

#include "tests/support/FakeServiceProcess.h"

#include <QJsonArray>

// The test logind (fake-login-manager) run for one test on the session bus. Give the code under
// test QDBusConnection::sessionBus() in place of the system bus.
//
//   FakeLoginManager logind;
//   SleepMonitor monitor(QDBusConnection::sessionBus());
//   logind.announceSleep(true);   // PrepareForSleep(true)
class FakeLoginManager {
public:
    FakeLoginManager();

    bool isReady() const { return m_process.isReady(); }

    // Makes the fake emit PrepareForSleep(sleeping); returns once it has been sent.
    void announceSleep(bool sleeping) const;
    // Makes the session's LockedHint `locked` and emits Lock or Unlock.
    void announceLock(bool locked) const;
    // The inhibitor locks still held: [{"what", "who", "mode"}, …].
    QJsonArray activeInhibitors() const;

private:
    FakeServiceProcess m_process;
};
