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

// One node of GetLayout's (ia{sv}av) tree; children arrive as variants of the same structure.
struct LayoutNode {
    int id = 0;
    QVariantMap properties;
    std::vector<LayoutNode> children;
};

LayoutNode readNode(const QDBusArgument& argument)
{
    LayoutNode node;
    argument.beginStructure();
    argument >> node.id;
    argument >> node.properties;
    argument.beginArray();
    while (!argument.atEnd()) {
        QDBusVariant child;
        argument >> child;
        node.children.push_back(readNode(child.variant().value<QDBusArgument>()));
    }
    argument.endArray();
    argument.endStructure();
    return node;
}

QString withoutMnemonics(QString label)
{
    label.replace(QStringLiteral("__"), QStringLiteral("\x01"));
    label.remove(QLatin1Char('_'));
    label.replace(QStringLiteral("\x01"), QStringLiteral("_"));
    return label;
}

} // namespace

TrayMenu::TrayMenu(const QString& item)
{
    const auto slash = item.indexOf(QLatin1Char('/'));
    m_service = item.left(slash);
    m_itemPath = slash < 0 ? QStringLiteral("/StatusNotifierItem") : item.mid(slash);
}

QVariant TrayMenu::itemProperty(const QString& name) const
{
    auto call = QDBusMessage::createMethodCall(
        m_service, m_itemPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << QString::fromLatin1(kItemInterface) << name;
    const auto reply = QDBusConnection::sessionBus().call(call);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().constFirst().value<QDBusVariant>().variant();
}

QString TrayMenu::toolTipTitle() const
{
    // (sa(iiay)ss): icon name, icon pixmaps, title, description.
    const auto argument = itemProperty(QStringLiteral("ToolTip")).value<QDBusArgument>();
    QString iconName;
    QString title;
    argument.beginStructure();
    argument >> iconName;
    argument.beginArray();
    while (!argument.atEnd()) {
        int width = 0;
        int height = 0;
        QByteArray pixels;
        argument.beginStructure();
        argument >> width >> height >> pixels;
        argument.endStructure();
    }
    argument.endArray();
    argument >> title;
    argument.endStructure();
    return title;
}

std::vector<TrayMenu::Entry> TrayMenu::entries() const
{
    auto call = menuCall(QStringLiteral("GetLayout"));
    call << 0 << -1 << QStringList();
    const auto reply = QDBusConnection::sessionBus().call(call);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() < 2)
        return {};
    const auto root = readNode(reply.arguments().at(1).value<QDBusArgument>());
    std::vector<Entry> entries;
    for (const auto& node : root.children) {
        Entry entry;
        entry.id = node.id;
        entry.label = withoutMnemonics(node.properties.value(QStringLiteral("label")).toString());
        entry.enabled = node.properties.value(QStringLiteral("enabled"), true).toBool();
        entry.separator = node.properties.value(QStringLiteral("type")).toString() == QLatin1String("separator");
        entries.push_back(entry);
    }
    return entries;
}

QDBusMessage TrayMenu::menuCall(const QString& method) const
{
    const auto menuPath = itemProperty(QStringLiteral("Menu")).value<QDBusObjectPath>().path();
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
