#pragma once

#include "tests/support/InProcessService.h"

#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>

#include <vector>

// A desktop screen saver (org.freedesktop.ScreenSaver) living in the test process on a connection
// of its own: it announces ActiveChanged when told, and answers GetSessionIdleTime with the idle
// time a test sets (in milliseconds, as KDE answers).
class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    bool isRegistered() const { return m_bus.isRegistered(); }
    void setActive(bool active) { emit ActiveChanged(active); }
    void setIdleMilliseconds(uint idle) { m_idle = idle; }

public slots:
    uint GetSessionIdleTime() const { return m_idle; }

signals:
    void ActiveChanged(bool active);

private:
    uint m_idle = 0;
    testsupport::InProcessService m_bus { "fake-screen-saver", "org.freedesktop.ScreenSaver",
        "/org/freedesktop/ScreenSaver", this };
};

// GNOME's idle monitor (org.gnome.Mutter.IdleMonitor) on a connection of its own. It holds every
// GetIdletime call until the test answers, so a test decides which service answers first.
class FakeMutterIdleMonitor : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.Mutter.IdleMonitor")

public:
    bool isRegistered() const { return m_bus.isRegistered(); }
    // Answers the calls held so far; false when there were none.
    bool answer(quint64 milliseconds);

public slots:
    quint64 GetIdletime();

private:
    std::vector<QDBusMessage> m_calls;
    testsupport::InProcessService m_bus { "fake-mutter-idle-monitor", "org.gnome.Mutter.IdleMonitor",
        "/org/gnome/Mutter/IdleMonitor/Core", this };
};
