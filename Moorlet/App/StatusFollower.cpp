#include "Moorlet/App/StatusFollower.h"

#include "Moorlet/App/InstanceService.h"

#include <QDBusServiceWatcher>

namespace moorlet {

StatusFollower::StatusFollower(QDBusConnection bus, std::function<void(const QString&)> print, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
    , m_print(std::move(print))
{
}

StatusFollower::~StatusFollower() = default;

SingleInstance::Reply StatusFollower::start()
{
    if (m_bus.isConnected()) {
        m_watcher = new QDBusServiceWatcher(QString::fromLatin1(InstanceService::kServiceName), m_bus,
            QDBusServiceWatcher::WatchForUnregistration, this);
        connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
            if (onEnded)
                onEnded();
        });
        m_bus.connect(QString::fromLatin1(InstanceService::kServiceName), QString::fromLatin1(InstanceService::kObjectPath),
            QString::fromLatin1(InstanceService::kInterface), QString::fromLatin1(InstanceService::kStatusChangedSignal),
            this, SLOT(statusChanged(QString)));
    }
    auto reply = SingleInstance::send(m_bus, AppCommand::status);
    if (reply.status == SingleInstance::Reply::Status::answered)
        statusChanged(reply.text);
    return reply;
}

void StatusFollower::statusChanged(const QString& line)
{
    // A change announced while the first request was on its way repeats what it answered.
    if (line == m_last)
        return;
    m_last = line;
    m_print(line);
}

} // namespace moorlet
