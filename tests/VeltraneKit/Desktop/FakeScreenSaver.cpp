#include "tests/VeltraneKit/Desktop/FakeScreenSaver.h"

#include <utility>

namespace {

constexpr auto kConnectionName = "fake-screen-saver";
constexpr auto kService = "org.freedesktop.ScreenSaver";
constexpr auto kPath = "/org/freedesktop/ScreenSaver";
constexpr auto kMutterConnectionName = "fake-mutter-idle-monitor";
constexpr auto kMutterService = "org.gnome.Mutter.IdleMonitor";
constexpr auto kMutterPath = "/org/gnome/Mutter/IdleMonitor/Core";

} // namespace

FakeScreenSaver::FakeScreenSaver()
    : m_connection(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QLatin1String(kConnectionName)))
{
    m_registered = m_connection.registerObject(QLatin1String(kPath), this,
                       QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals)
        && m_connection.registerService(QLatin1String(kService));
}

FakeScreenSaver::~FakeScreenSaver()
{
    m_connection.unregisterService(QLatin1String(kService));
    m_connection.unregisterObject(QLatin1String(kPath));
    QDBusConnection::disconnectFromBus(QLatin1String(kConnectionName));
}

FakeMutterIdleMonitor::FakeMutterIdleMonitor()
    : m_connection(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QLatin1String(kMutterConnectionName)))
{
    m_registered = m_connection.registerObject(QLatin1String(kMutterPath), this, QDBusConnection::ExportAllSlots)
        && m_connection.registerService(QLatin1String(kMutterService));
}

FakeMutterIdleMonitor::~FakeMutterIdleMonitor()
{
    m_connection.unregisterService(QLatin1String(kMutterService));
    m_connection.unregisterObject(QLatin1String(kMutterPath));
    QDBusConnection::disconnectFromBus(QLatin1String(kMutterConnectionName));
}

bool FakeMutterIdleMonitor::answer(quint64 milliseconds)
{
    const auto calls = std::exchange(m_calls, {});
    for (const auto& call : calls)
        m_connection.send(call.createReply(QVariant::fromValue(milliseconds)));
    return !calls.empty();
}

quint64 FakeMutterIdleMonitor::GetIdletime()
{
    setDelayedReply(true);
    m_calls.push_back(message());
    return 0;
}
