#include "tests/VeltraneKit/Desktop/FakeSettingsPortal.h"

#include <QDBusError>

namespace {

constexpr auto kConnectionName = "fake-settings-portal";
constexpr auto kService = "org.freedesktop.portal.Desktop";
constexpr auto kPath = "/org/freedesktop/portal/desktop";

QString settingName(const QString& group, const QString& key) { return group + QLatin1Char(' ') + key; }

} // namespace

FakeSettingsPortal::FakeSettingsPortal(Interface interface)
    : m_interface(interface)
    , m_connection(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QLatin1String(kConnectionName)))
{
    m_registered = m_connection.registerObject(QLatin1String(kPath), this,
                       QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals)
        && m_connection.registerService(QLatin1String(kService));
}

FakeSettingsPortal::~FakeSettingsPortal()
{
    m_connection.unregisterService(QLatin1String(kService));
    m_connection.unregisterObject(QLatin1String(kPath));
    QDBusConnection::disconnectFromBus(QLatin1String(kConnectionName));
}

void FakeSettingsPortal::preset(const QString& group, const QString& key, const QVariant& value)
{
    m_values.insert(settingName(group, key), value);
}

void FakeSettingsPortal::change(const QString& group, const QString& key, const QVariant& value)
{
    preset(group, key, value);
    emit SettingChanged(group, key, QDBusVariant(value));
}

QDBusVariant FakeSettingsPortal::Read(const QString& group, const QString& key)
{
    return QDBusVariant(QVariant::fromValue(QDBusVariant(lookUp(group, key))));
}

QDBusVariant FakeSettingsPortal::ReadOne(const QString& group, const QString& key)
{
    if (m_interface == Interface::ReadOnly) {
        sendErrorReply(QDBusError::UnknownMethod, QStringLiteral("No such method ReadOne"));
        return QDBusVariant(QString());
    }
    return QDBusVariant(lookUp(group, key));
}

QVariant FakeSettingsPortal::lookUp(const QString& group, const QString& key)
{
    const auto found = m_values.constFind(settingName(group, key));
    if (found == m_values.constEnd()) {
        sendErrorReply(QStringLiteral("org.freedesktop.portal.Error.NotFound"), QStringLiteral("Requested setting not found"));
        // Any value will do: the error replaces the answer.
        return QString();
    }
    return *found;
}
