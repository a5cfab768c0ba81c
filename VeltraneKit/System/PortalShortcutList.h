#pragma once

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QList>
#include <QString>
#include <QVariantMap>

namespace veltrane::portal {

// One entry of the global shortcuts portal's a(sa{sv}) lists: a shortcut's id and its properties
// ("description", "preferred_trigger" going in; "trigger_description" coming back).
struct Shortcut {
    QString id;
    QVariantMap properties;
};

inline QDBusArgument& operator<<(QDBusArgument& argument, const Shortcut& shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

inline const QDBusArgument& operator>>(const QDBusArgument& argument, Shortcut& shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

} // namespace veltrane::portal

Q_DECLARE_METATYPE(veltrane::portal::Shortcut)

namespace veltrane::portal {

// Makes the list travel over D-Bus; harmless to repeat.
inline void registerShortcutTypes()
{
    qDBusRegisterMetaType<Shortcut>();
    qDBusRegisterMetaType<QList<Shortcut>>();
}

} // namespace veltrane::portal
