#include "VeltraneKit/System/PortalGlobalShortcut.h"

#include "VeltraneKit/System/CarbonKeys.h"
#include "VeltraneKit/System/HotKeyPress.h"
#include "VeltraneKit/System/PortalShortcutList.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QStringList>

#include <xkbcommon/xkbcommon.h>

namespace veltrane {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kShortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

// Errors that say there is no portal, or none that binds shortcuts; anything else is a refusal.
bool meansUnavailable(const QString& error)
{
    static const QStringList names { QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown"),
        QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"), QStringLiteral("org.freedesktop.DBus.Error.UnknownInterface"),
        QStringLiteral("org.freedesktop.DBus.Error.UnknownObject"), QStringLiteral("org.freedesktop.DBus.Error.Disconnected") };
    return names.contains(error);
}

} // namespace

PortalGlobalShortcut::PortalGlobalShortcut(Identity identity, QObject* parent)
    : QObject(parent)
    , m_identity(std::move(identity))
    , m_connectionName(QStringLiteral("veltrane-global-shortcuts-%1").arg(reinterpret_cast<quintptr>(this)))
    , m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_connectionName))
{
    portal::registerShortcutTypes();
    m_bus.connect(kService, kPath, kShortcutsInterface, QStringLiteral("Activated"), this, SLOT(activated(QDBusMessage)));
    m_bus.connect(kService, kPath, kShortcutsInterface, QStringLiteral("ShortcutsChanged"), this,
        SLOT(shortcutsChanged(QDBusMessage)));
}

PortalGlobalShortcut::~PortalGlobalShortcut()
{
    closeSession();
    QDBusConnection::disconnectFromBus(m_connectionName);
}

std::optional<QString> PortalGlobalShortcut::trigger(std::uint32_t keyCode, std::uint32_t modifiers)
{
    const auto keysym = carbon::xKeysymFor(keyCode);
    char name[64];
    if (!keysym || xkb_keysym_get_name(*keysym, name, sizeof name) <= 0)
        return std::nullopt;
    const auto wanted = carbon::ModifierKeys::fromMask(modifiers);
    QStringList parts;
    for (const auto& [held, part] : { std::pair { wanted.control, "CTRL" }, std::pair { wanted.option, "ALT" },
             std::pair { wanted.shift, "SHIFT" }, std::pair { wanted.command, "LOGO" } }) {
        if (held)
            parts.append(QLatin1String(part));
    }
    parts.append(QString::fromLatin1(name));
    return parts.join(QLatin1Char('+'));
}

HotKeyRegistration PortalGlobalShortcut::registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers)
{
    unregister();
    const auto preferred = trigger(keyCode, modifiers);
    if (!preferred) {
        m_state = HotKeyRegistration::unsupportedKey;
        return m_state;
    }
    if (!m_bus.isConnected())
        return m_state;
    m_preferredTrigger = *preferred;
    m_state = HotKeyRegistration::pending;
    if (m_applicationRegistered) {
        createSession();
        return m_state;
    }
    // The registry takes one id per connection, before any other portal call; a portal without
    // it (or without any portal) is found out by the session request that follows.
    m_applicationRegistered = true;
    auto message = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.host.portal.Registry"), QStringLiteral("Register"));
    message << m_identity.applicationId << QVariantMap();
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, generation = m_generation](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        if (generation == m_generation)
            createSession();
    });
    return m_state;
}

void PortalGlobalShortcut::unregister()
{
    ++m_generation;
    closeSession();
    m_state = HotKeyRegistration::unavailable;
    m_triggerDescription.clear();
}

void PortalGlobalShortcut::createSession()
{
    const auto token = QStringLiteral("veltrane%1").arg(++m_requestCount);
    request(Step::createSession, QStringLiteral("CreateSession"),
        { QVariantMap { { QStringLiteral("handle_token"), token }, { QStringLiteral("session_handle_token"), token } } },
        token);
}

void PortalGlobalShortcut::bindShortcuts()
{
    const auto token = QStringLiteral("veltrane%1").arg(++m_requestCount);
    const QList<portal::Shortcut> shortcuts { { m_identity.shortcutId,
        { { QStringLiteral("description"), m_identity.description },
            { QStringLiteral("preferred_trigger"), m_preferredTrigger } } } };
    request(Step::bindShortcuts, QStringLiteral("BindShortcuts"),
        { QVariant::fromValue(QDBusObjectPath(m_session)), QVariant::fromValue(shortcuts), QString(),
            QVariantMap { { QStringLiteral("handle_token"), token } } },
        token);
}

QString PortalGlobalShortcut::requestPath(const QString& token) const
{
    // The portal's rule: the caller's unique name without its colon, dots made underscores.
    auto sender = m_bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return kPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
}

void PortalGlobalShortcut::request(Step step, const QString& method, const QList<QVariant>& arguments, const QString& token)
{
    const auto path = requestPath(token);
    m_bus.connect(kService, path, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"), this,
        SLOT(requestAnswered(QDBusMessage)));
    m_requests.insert(path, { step, m_generation });
    auto message = QDBusMessage::createMethodCall(kService, kPath, kShortcutsInterface, method);
    message.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, path](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        if (!call->isError())
            return;
        const auto pending = m_requests.take(path);
        m_bus.disconnect(kService, path, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"), this,
            SLOT(requestAnswered(QDBusMessage)));
        if (pending.second == m_generation) {
            closeSession();
            settle(meansUnavailable(call->error().name()) ? HotKeyRegistration::unavailable : HotKeyRegistration::refused);
        }
    });
}

void PortalGlobalShortcut::requestAnswered(const QDBusMessage& message)
{
    const auto path = message.path();
    if (!m_requests.contains(path) || message.arguments().size() < 2)
        return;
    const auto [step, generation] = m_requests.take(path);
    m_bus.disconnect(kService, path, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"), this,
        SLOT(requestAnswered(QDBusMessage)));
    const auto granted = message.arguments().at(0).toUInt() == 0;
    const auto results = qdbus_cast<QVariantMap>(message.arguments().at(1));
    if (step == Step::createSession && granted) {
        // The handle is a string by the interface's word; some portals send an object path.
        const auto handle = results.value(QStringLiteral("session_handle"));
        const auto session = handle.canConvert<QDBusObjectPath>() ? handle.value<QDBusObjectPath>().path() : handle.toString();
        if (generation != m_generation) {
            // Asked for by a registration since given up.
            m_bus.send(QDBusMessage::createMethodCall(kService, session, QStringLiteral("org.freedesktop.portal.Session"),
                QStringLiteral("Close")));
            return;
        }
        m_session = session;
        bindShortcuts();
        return;
    }
    if (generation != m_generation)
        return;
    if (!granted || !readTrigger(results.value(QStringLiteral("shortcuts")))) {
        closeSession();
        settle(HotKeyRegistration::refused);
        return;
    }
    settle(HotKeyRegistration::registered, m_triggerDescription);
}

bool PortalGlobalShortcut::readTrigger(const QVariant& shortcuts)
{
    for (const auto& shortcut : qdbus_cast<QList<portal::Shortcut>>(shortcuts)) {
        if (shortcut.id == m_identity.shortcutId) {
            m_triggerDescription = shortcut.properties.value(QStringLiteral("trigger_description")).toString();
            return true;
        }
    }
    return false;
}

void PortalGlobalShortcut::activated(const QDBusMessage& message)
{
    const auto arguments = message.arguments();
    if (!isRegistered() || arguments.size() < 2 || arguments.at(0).value<QDBusObjectPath>().path() != m_session
        || arguments.at(1).toString() != m_identity.shortcutId)
        return;
    deliverPressLater(*this, m_deliveryContext);
}

void PortalGlobalShortcut::shortcutsChanged(const QDBusMessage& message)
{
    const auto arguments = message.arguments();
    if (!isRegistered() || arguments.size() < 2 || arguments.at(0).value<QDBusObjectPath>().path() != m_session)
        return;
    if (readTrigger(arguments.at(1)))
        settle(HotKeyRegistration::registered, m_triggerDescription);
}

void PortalGlobalShortcut::settle(HotKeyRegistration state, const QString& triggerDescription)
{
    m_state = state;
    m_triggerDescription = triggerDescription;
    if (onStateChanged)
        onStateChanged();
}

void PortalGlobalShortcut::closeSession()
{
    if (m_session.isEmpty())
        return;
    m_bus.send(QDBusMessage::createMethodCall(kService, m_session, QStringLiteral("org.freedesktop.portal.Session"),
        QStringLiteral("Close")));
    m_session.clear();
}

} // namespace veltrane
