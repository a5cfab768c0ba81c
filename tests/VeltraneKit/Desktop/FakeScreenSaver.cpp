#include "tests/VeltraneKit/Desktop/FakeScreenSaver.h"

namespace {

constexpr auto kConnectionName = "fake-screen-saver";
constexpr auto kService = "org.freedesktop.ScreenSaver";
constexpr auto kPath = "/org/freedesktop/ScreenSaver";

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
