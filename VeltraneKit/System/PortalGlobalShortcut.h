#pragma once

#include "VeltraneKit/System/HotKeyRegistering.h"

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QString>

#include <optional>
#include <utility>

class QDBusMessage;

namespace veltrane {

// The hot key on Wayland, where no program may grab a key for itself: the XDG desktop portal's
// GlobalShortcuts interface binds it. Registration creates a portal session and binds one
// shortcut in it with the key as the preferred trigger; the desktop may ask its user first and
// may bind other keys, so registration answers `pending` and onStateChanged reports the outcome
// and, later, any change the user makes. The portal's Activated signal for the shortcut is a
// press.
//
// The portal learns which application asks through its host registry, where it offers one; the
// registry takes an application id only before any other portal call on the connection, so the
// object talks to the portal over a session-bus connection of its own.
//
// Main thread only. Destroying the object closes the session, which releases the shortcut.
class PortalGlobalShortcut final : public QObject, public HotKeyRegistering {
    Q_OBJECT

public:
    struct Identity {
        // The desktop entry's id, which the portal names the application by.
        QString applicationId;
        // The shortcut's id within the session, and what it does in the user's words.
        QString shortcutId;
        QString description;
    };

    explicit PortalGlobalShortcut(Identity identity, QObject* parent = nullptr);
    ~PortalGlobalShortcut() override;
    PortalGlobalShortcut(const PortalGlobalShortcut&) = delete;
    PortalGlobalShortcut& operator=(const PortalGlobalShortcut&) = delete;

    // The key in the shortcuts format the portal takes ("ALT+LOGO+space"): modifiers, then the
    // key's XKB keysym name. None for a key code that names no key.
    static std::optional<QString> trigger(std::uint32_t keyCode, std::uint32_t modifiers);

    HotKeyRegistration registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers) override;
    void unregister() override;
    bool isRegistered() const override { return m_state == HotKeyRegistration::registered; }
    HotKeyRegistration state() const override { return m_state; }
    std::string triggerDescription() const override { return m_triggerDescription.toStdString(); }

private slots:
    void requestAnswered(const QDBusMessage& message);
    void activated(const QDBusMessage& message);
    void shortcutsChanged(const QDBusMessage& message);

private:
    enum class Step { createSession, bindShortcuts };

    void createSession();
    void bindShortcuts();
    // Calls a portal method whose outcome arrives as a Request's Response; `token` names the
    // request, so that its Response can be listened for before the call.
    void request(Step step, const QString& method, const QList<QVariant>& arguments, const QString& token);
    QString requestPath(const QString& token) const;
    void settle(HotKeyRegistration state, const QString& triggerDescription = {});
    void closeSession();
    bool readTrigger(const QVariant& shortcuts);

    Identity m_identity;
    QString m_connectionName;
    QDBusConnection m_bus;
    bool m_applicationRegistered = false;
    // Every registration and release moves it on; answers to an older one are dropped.
    quint64 m_generation = 0;
    quint64 m_requestCount = 0;
    // The requests whose Response is awaited, by their object path.
    QHash<QString, std::pair<Step, quint64>> m_requests;
    QString m_preferredTrigger;
    QString m_session;
    HotKeyRegistration m_state = HotKeyRegistration::unavailable;
    QString m_triggerDescription;
    QObject m_deliveryContext;
};

} // namespace veltrane
