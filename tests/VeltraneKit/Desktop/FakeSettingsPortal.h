#pragma once

#include "tests/support/InProcessService.h"

#include <QDBusContext>
#include <QDBusVariant>
#include <QHash>
#include <QObject>
#include <QVariant>

// An XDG settings portal (org.freedesktop.portal.Desktop, org.freedesktop.portal.Settings) living
// in the test process on a connection of its own, so that the code under test reaches it through
// the bus like any other service. Unknown settings answer org.freedesktop.portal.Error.NotFound.
class FakeSettingsPortal : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

public:
    enum class Interface {
        // Version 1: only Read, whose answer is a variant inside a variant.
        ReadOnly,
        // Version 2: ReadOne as well.
        WithReadOne,
    };

    explicit FakeSettingsPortal(Interface interface)
        : m_interface(interface)
    {
    }

    bool isRegistered() const { return m_bus.isRegistered(); }

    // Sets a value without telling anyone (the state before the code under test starts).
    void preset(const QString& group, const QString& key, const QVariant& value);
    // Changes a value and emits SettingChanged, as the portal does.
    void change(const QString& group, const QString& key, const QVariant& value);

public slots:
    QDBusVariant Read(const QString& group, const QString& key);
    QDBusVariant ReadOne(const QString& group, const QString& key);

signals:
    void SettingChanged(const QString& group, const QString& key, const QDBusVariant& value);

private:
    QVariant lookUp(const QString& group, const QString& key);

    Interface m_interface;
    QHash<QString, QVariant> m_values;
    testsupport::InProcessService m_bus { "fake-settings-portal", "org.freedesktop.portal.Desktop",
        "/org/freedesktop/portal/desktop", this };
};
