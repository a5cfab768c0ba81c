#include "Moorlet/App/SingleInstance.h"

#include "Moorlet/App/InstanceService.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace moorlet::SingleInstance {

namespace {

QString serviceName()
{
    return QString::fromLatin1(InstanceService::kServiceName);
}

QString objectPath()
{
    return QString::fromLatin1(InstanceService::kObjectPath);
}

} // namespace

Claim claim(QDBusConnection bus, InstanceService& service)
{
    if (!bus.isConnected() || !bus.interface())
        return Claim::noBus;
    if (!bus.registerObject(objectPath(), &service, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals))
        return Claim::secondary;
    const auto reply = bus.interface()->registerService(
        serviceName(), QDBusConnectionInterface::DontQueueService, QDBusConnectionInterface::DontAllowReplacement);
    if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered)
        return Claim::primary;
    bus.unregisterObject(objectPath());
    return Claim::secondary;
}

Reply send(QDBusConnection bus, AppCommand command, int timeoutMs)
{
    if (!bus.isConnected() || !bus.interface())
        return { Reply::Status::noBus, {} };
    // Asking the bus first tells "nobody runs" apart from "the instance failed", and keeps a
    // request from ever activating a service behind the user's back.
    const auto owned = bus.interface()->isServiceRegistered(serviceName());
    if (!owned.isValid() || !owned.value())
        return { Reply::Status::notRunning, {} };

    auto message = QDBusMessage::createMethodCall(serviceName(), objectPath(),
        QString::fromLatin1(InstanceService::kInterface), QString::fromLatin1(methodName(command).data()));
    message.setAutoStartService(false);
    const auto reply = bus.call(message, QDBus::Block, timeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        // The instance quit between the two calls.
        if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown"))
            return { Reply::Status::notRunning, {} };
        return { Reply::Status::failed, reply.errorMessage() };
    }
    Reply result { Reply::Status::answered, {} };
    if (!reply.arguments().isEmpty())
        result.text = reply.arguments().constFirst().toString();
    return result;
}

} // namespace moorlet::SingleInstance
