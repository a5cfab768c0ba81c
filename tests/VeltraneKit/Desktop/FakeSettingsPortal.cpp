#include "tests/VeltraneKit/Desktop/FakeSettingsPortal.h"

#include <QDBusError>

namespace {

QString settingName(const QString& group, const QString& key) { return group + QLatin1Char(' ') + key; }

} // namespace

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
