#include "Moorlet/Views/ReduceMotion.h"

#include "VeltraneKit/Desktop/DesktopPreferences.h"
#include "VeltraneKit/Settings/SettingsStore.h"

namespace moorlet {

ReduceMotion::ReduceMotion(veltrane::SettingsStore& settings, veltrane::DesktopPreferences* desktop, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_desktop(desktop)
{
    m_on = compute();
    connect(&settings, &veltrane::SettingsStore::forceReduceMotionChanged, this, &ReduceMotion::refresh);
    if (desktop)
        connect(desktop, &veltrane::DesktopPreferences::reduceMotionChanged, this, &ReduceMotion::refresh);
}

bool ReduceMotion::compute() const
{
    return m_settings.forceReduceMotion() || (m_desktop && m_desktop->reduceMotion());
}

void ReduceMotion::refresh()
{
    const bool on = compute();
    if (on == m_on)
        return;
    m_on = on;
    emit changed(on);
}

} // namespace moorlet
