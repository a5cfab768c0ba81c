#include "VeltraneKit/Desktop/SleepMonitor.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace veltrane {

namespace {

constexpr auto kService = "org.freedesktop.login1";
constexpr auto kPath = "/org/freedesktop/login1";
constexpr auto kManager = "org.freedesktop.login1.Manager";
constexpr auto kWho = "Moorlet";
constexpr auto kWhy = "Pause the running timer before the computer sleeps";

} // namespace

SleepMonitor::SleepMonitor(QDBusConnection bus, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
{
    if (!m_bus.isConnected())
        return;
    m_available = m_bus.connect(QLatin1String(kService), QLatin1String(kPath), QLatin1String(kManager),
        QStringLiteral("PrepareForSleep"), this, SLOT(handlePrepareForSleep(bool)));
    if (m_available)
        takeDelayLock();
}

void SleepMonitor::handlePrepareForSleep(bool sleeping)
{
    m_sleeping = sleeping;
    if (sleeping) {
        emit willSleep();
        m_delayLock = QDBusUnixFileDescriptor();
    } else {
        takeDelayLock();
        emit didWake();
    }
}

void SleepMonitor::takeDelayLock()
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QLatin1String(kService), QLatin1String(kPath), QLatin1String(kManager), QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep") << QLatin1String(kWho) << QLatin1String(kWhy) << QStringLiteral("delay");
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* answer) {
        answer->deleteLater();
        const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *answer;
        // A lock granted after sleep was announced would only hold the suspend up.
        if (reply.isValid() && !m_sleeping)
            m_delayLock = reply.value();
    });
}

} // namespace veltrane
