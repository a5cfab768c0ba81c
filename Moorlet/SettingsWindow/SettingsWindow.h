#pragma once

#include "Moorlet/SettingsWindow/SettingsBindings.h"

#include <QWidget>

namespace veltrane {
class FrameTicker;
}

namespace moorlet {

class SettingsView;

// The "Settings" window: a normal, decorated top-level window that takes keyboard focus, holding
// the settings view. The application makes one and shows it again whenever settings are asked
// for; closing it only hides it.
//
// Main thread only.
class SettingsWindow : public QWidget {
    Q_OBJECT

public:
    SettingsWindow(SettingsObjects objects, SettingsCallbacks callbacks, DiagnosticsProvider diagnostics,
        veltrane::FrameTicker* ticker = nullptr, QWidget* parent = nullptr);

    SettingsView& view() const { return *m_view; }

    // Shows the window (where it was last), brings it to the front and gives it the keyboard.
    void showAndRaise();

private:
    SettingsView* m_view;
};

} // namespace moorlet
