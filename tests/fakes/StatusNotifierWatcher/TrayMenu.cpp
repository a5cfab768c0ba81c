#include "tests/fakes/StatusNotifierWatcher/TrayMenu.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDateTime>

namespace {

constexpr auto kItemInterface = "org.kde.StatusNotifierItem";
constexpr auto kMenuInterface = "com.canonical.dbusmenu";

} // namespace

TrayMenu::TrayMenu(const QString& item)
{
    const auto slash = item.indexOf(QLatin1Char('/'));
    m_service = item.left(slash);
    m_itemPath = slash < 0 ? QStringLiteral("/StatusNotifierItem") : item.mid(slash);
}

std::vector<TrayMenu::Entry> TrayMenu::entries() const
{
    auto call = menuCall(QStringLiteral("GetLayout"));
    call << 0 << -1 << QStringList();
    const auto reply = QDBusConnection::sessionBus().call(call);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() < 2)
        return {};
    // The root of GetLayout's (ia{sv}av) tree; its children arrive as variants of the same structure.
    const auto root = reply.arguments().at(1).value<QDBusArgument>();
    int id = 0;
    QVariantMap properties;
    root.beginStructure();
    root >> id >> properties;
    root.beginArray();
    std::vector<Entry> entries;
    while (!root.atEnd()) {
        QDBusVariant child;
        root >> child;
        const auto node = child.variant().value<QDBusArgument>();
        node.beginStructure();
        node >> id >> properties;
        // Ending each structure frees what Qt allocated to read it.
        node.endStructure();
        entries.push_back({ id, properties.value(QStringLiteral("label")).toString(),
            properties.value(QStringLiteral("enabled"), true).toBool() });
    }
    root.endArray();
    root.endStructure();
    return entries;
}

QDBusMessage TrayMenu::menuCall(const QString& method) const
{
    // The item's Menu property names the menu's object.
    auto get = QDBusMessage::createMethodCall(
        m_service, m_itemPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QString::fromLatin1(kItemInterface) << QStringLiteral("Menu");
    const auto menu = QDBusConnection::sessionBus().call(get).arguments().value(0).value<QDBusVariant>();
    const auto menuPath = menu.variant().value<QDBusObjectPath>().path();
    return QDBusMessage::createMethodCall(m_service, menuPath.isEmpty() ? QStringLiteral("/MenuBar") : menuPath,
        QString::fromLatin1(kMenuInterface), method);
}

std::optional<TrayMenu::Entry> TrayMenu::entry(const QString& label) const
{
    for (const auto& candidate : entries()) {
        if (candidate.label == label)
            return candidate;
    }
    return std::nullopt;
}

bool TrayMenu::click(int id) const
{
    auto call = menuCall(QStringLiteral("Event"));
    call << id << QStringLiteral("clicked") << QVariant::fromValue(QDBusVariant(0))
         << static_cast<uint>(QDateTime::currentSecsSinceEpoch());
    return QDBusConnection::sessionBus().call(call).type() == QDBusMessage::ReplyMessage;
}

bool TrayMenu::activate() const
{
    auto call = QDBusMessage::createMethodCall(m_service, m_itemPath, QString::fromLatin1(kItemInterface),
        QStringLiteral("Activate"));
    call << 0 << 0;
    return QDBusConnection::sessionBus().call(call).type() == QDBusMessage::ReplyMessage;
}
