#include "tests/fakes/StatusNotifierWatcher/StatusNotifierWatcherService.h"

#include <QDBusMessage>

void StatusNotifierWatcherService::RegisterStatusNotifierItem(const QString& serviceOrPath)
{
    const auto item = serviceOrPath.startsWith(QLatin1Char('/'))
        ? message().service() + serviceOrPath
        : serviceOrPath + QStringLiteral("/StatusNotifierItem");
    if (m_items.contains(item))
        return;
    m_items.append(item);
    emit StatusNotifierItemRegistered(item);
}

void StatusNotifierWatcherService::RegisterStatusNotifierHost(const QString&)
{
    emit StatusNotifierHostRegistered();
}
