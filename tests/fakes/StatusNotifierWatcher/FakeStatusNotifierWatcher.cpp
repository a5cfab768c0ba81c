#include "tests/fakes/StatusNotifierWatcher/FakeStatusNotifierWatcher.h"

#include "tests/support/TestSupport.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

FakeStatusNotifierWatcher::FakeStatusNotifierWatcher()
    : m_process(QStringLiteral(MOORLET_FAKE_STATUS_NOTIFIER_WATCHER), {},
          QStringLiteral("org.kde.StatusNotifierWatcher"))
{
}

QStringList FakeStatusNotifierWatcher::items() const
{
    auto call = QDBusMessage::createMethodCall(QStringLiteral("org.kde.StatusNotifierWatcher"),
        QStringLiteral("/StatusNotifierWatcher"), QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << QStringLiteral("org.kde.StatusNotifierWatcher") << QStringLiteral("RegisteredStatusNotifierItems");
    const auto reply = QDBusConnection::sessionBus().call(call);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().constFirst().value<QDBusVariant>().variant().toStringList();
}

bool FakeStatusNotifierWatcher::waitForItems(qsizetype count) const
{
    return testsupport::waitUntil([&] { return items().size() >= count; });
}
