#pragma once

#include <QObject>
#include <QPointer>

namespace veltrane {
class DesktopPreferences;
class SettingsStore;
} // namespace veltrane

namespace moorlet {

// Whether the views reduce motion: the desktop asks for it, or the user forces it in the settings.
// Every view reads this one flag, so the two sources can never disagree.
//
// Main thread only. The settings store must outlive the object; the desktop preferences may be
// null (the desktop never asks).
class ReduceMotion : public QObject {
    Q_OBJECT

public:
    ReduceMotion(veltrane::SettingsStore& settings, veltrane::DesktopPreferences* desktop, QObject* parent = nullptr);

    bool isOn() const { return m_on; }

signals:
    // Emitted only when the combined flag changes.
    void changed(bool on);

private:
    bool compute() const;
    void refresh();

    veltrane::SettingsStore& m_settings;
    QPointer<veltrane::DesktopPreferences> m_desktop;
    bool m_on = false;
};

} // namespace moorlet
