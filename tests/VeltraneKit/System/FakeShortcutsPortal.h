#pragma once

#include "tests/support/InProcessService.h"

#include <QDBusVirtualObject>
#include <QStringList>

// The desktop portal's global shortcuts and host registry (org.freedesktop.portal.Desktop),
// living in the test process on a connection of its own. It answers every request at once through
// its Request's Response, as a portal does when its user accepts the dialog straight away.
class FakeShortcutsPortal : public QDBusVirtualObject {
    Q_OBJECT

public:
    FakeShortcutsPortal();

    bool isRegistered() const { return m_bus.isRegistered(); }

    // What the portal was asked, in order: "Register <id>", "CreateSession",
    // "BindShortcuts <id> <preferred trigger>", "Close".
    QStringList calls;
    // The keys the user binds in the dialog; empty binds the preferred ones.
    QString chosenTrigger;
    // The user cancels the dialog.
    bool refuse = false;

    // The user presses the shortcut, or binds other keys to it in the desktop's settings.
    void activate(const QString& id);
    void changeTrigger(const QString& id, const QString& trigger);

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;
    QString introspect(const QString&) const override { return {}; }

private:
    void respond(const QString& request, uint response, const QVariantMap& results);

    QString m_session;
    testsupport::InProcessService m_bus { "fake-shortcuts-portal", "org.freedesktop.portal.Desktop",
        "/org/freedesktop/portal/desktop", this };
};
