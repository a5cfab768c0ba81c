#include "tests/VeltraneKit/System/FakeShortcutsPortal.h"

#include "VeltraneKit/System/PortalShortcutList.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QTimer>

namespace {

const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

// Where the portal puts a caller's request or session objects.
QString handle(const QString& kind, const QDBusMessage& message, const QString& token)
{
    return kPath + '/' + kind + '/' + message.service().mid(1).replace('.', '_') + '/' + token;
}

} // namespace

FakeShortcutsPortal::FakeShortcutsPortal()
{
    veltrane::portal::registerShortcutTypes();
}

bool FakeShortcutsPortal::handleMessage(const QDBusMessage& message, const QDBusConnection& connection)
{
    const auto arguments = message.arguments();
    const auto member = message.member();
    QString request;
    if (member == QLatin1String("Register") || member == QLatin1String("Close")) {
        calls << (member + ' ' + arguments.value(0).toString()).trimmed();
    } else if (member == QLatin1String("CreateSession")) {
        const auto options = qdbus_cast<QVariantMap>(arguments.value(0));
        calls << member;
        request = handle(QStringLiteral("request"), message, options.value("handle_token").toString());
        m_session = handle(QStringLiteral("session"), message, options.value("session_handle_token").toString());
        respond(request, 0, { { QStringLiteral("session_handle"), m_session } });
    } else if (member == QLatin1String("BindShortcuts")) {
        auto shortcuts = qdbus_cast<QList<veltrane::portal::Shortcut>>(arguments.value(1));
        for (auto& shortcut : shortcuts) {
            const auto preferred = shortcut.properties.value("preferred_trigger").toString();
            calls << QStringLiteral("BindShortcuts %1 %2").arg(shortcut.id, preferred);
            shortcut.properties = { { QStringLiteral("trigger_description"), chosenTrigger.isEmpty() ? preferred : chosenTrigger } };
        }
        request = handle(QStringLiteral("request"), message, qdbus_cast<QVariantMap>(arguments.value(3)).value("handle_token").toString());
        respond(request, refuse ? 1 : 0, { { QStringLiteral("shortcuts"), QVariant::fromValue(shortcuts) } });
    } else {
        return false;
    }
    return connection.send(request.isEmpty() ? message.createReply() : message.createReply(QVariant::fromValue(QDBusObjectPath(request))));
}

void FakeShortcutsPortal::respond(const QString& request, uint response, const QVariantMap& results)
{
    // After the reply that names the request, as the portal does.
    QTimer::singleShot(0, this, [this, request, response, results] {
        auto signal = QDBusMessage::createSignal(request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        m_bus.connection().send(signal << response << results);
    });
}

void FakeShortcutsPortal::activate(const QString& id)
{
    auto signal = QDBusMessage::createSignal(kPath, kInterface, QStringLiteral("Activated"));
    signal << QVariant::fromValue(QDBusObjectPath(m_session)) << id << qulonglong(0) << QVariantMap();
    m_bus.connection().send(signal);
}

void FakeShortcutsPortal::changeTrigger(const QString& id, const QString& trigger)
{
    const QList<veltrane::portal::Shortcut> shortcuts { { id, { { QStringLiteral("trigger_description"), trigger } } } };
    auto signal = QDBusMessage::createSignal(kPath, kInterface, QStringLiteral("ShortcutsChanged"));
    signal << QVariant::fromValue(QDBusObjectPath(m_session)) << QVariant::fromValue(shortcuts);
    m_bus.connection().send(signal);
}
