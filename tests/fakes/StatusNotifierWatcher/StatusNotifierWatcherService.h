#pragma once

#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>

// org.kde.StatusNotifierWatcher as a tray host provides it: it says a host is registered, so Qt
// offers its tray icon over D-Bus, and keeps the items that register. An item registers with its
// bus name or with an object path on its own connection; both are kept as "service/path".
class StatusNotifierWatcherService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems MEMBER m_items)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)

public:
    bool isHostRegistered() const { return true; }

public slots:
    void RegisterStatusNotifierItem(const QString& serviceOrPath)
    {
        const auto item = serviceOrPath.startsWith(QLatin1Char('/'))
            ? message().service() + serviceOrPath
            : serviceOrPath + QStringLiteral("/StatusNotifierItem");
        if (!m_items.contains(item))
            m_items.append(item);
    }

private:
    QStringList m_items;
};
