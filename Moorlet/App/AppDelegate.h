#pragma once

#include "Moorlet/Media/MediaController.h"
#include "Moorlet/Settings/FocusSettings.h"
#include "Moorlet/Update/UpdateManager.h"
#include "MoorletCore/SessionPhase.h"
#include "VeltraneKit/Desktop/DesktopPreferences.h"
#include "VeltraneKit/Desktop/IdleMonitor.h"
#include "VeltraneKit/Desktop/LockMonitor.h"
#include "VeltraneKit/Desktop/SleepMonitor.h"
#include "VeltraneKit/Geometry/DockSide.h"
#include "VeltraneKit/Notifications/NotificationScheduler.h"
#include "VeltraneKit/Settings/SettingsStore.h"
#include "VeltraneKit/Settings/UserDefaults.h"
#include "VeltraneKit/System/HotKeyRegistering.h"
#include "VeltraneKit/Time/Clock.h"
#include "VeltraneKit/Widget/PanelAppearance.h"

#include <QDBusConnection>
#include <QObject>

#include <filesystem>
#include <memory>
#include <optional>

namespace veltrane {
class WidgetCoordinator;
} // namespace veltrane

namespace moorlet {

class AmbientController;
class FocusController;
class InsightsWindow;
class LocalDataStore;
class PortalProbe;
class SettingsWindow;
class ThemeProvider;
class WelcomeTourWindow;

// The application's top: creates and owns every long-lived object for the whole run and wires
// them together: the two settings stores, notifications, the media controller and the hot key
// from construction; the theme, the data store, the ambient controller and the focus controller
// lazily, on first use (which is during launch); the widget coordinator with its panel at
// launch. Stopping needs no work: every store writes through and the panel position is saved on
// every move.
//
// Main thread only. Every callback it installs holds it weakly and does nothing once it is gone.
class AppDelegate : public QObject {
    Q_OBJECT

public:
    // What the delegate runs on. The program uses fromEnvironment(); tests point everything at
    // temporary folders and test buses.
    struct Configuration {
        // The user-defaults database; null for the file in $XDG_CONFIG_HOME/Moorlet.
        veltrane::UserDefaultsPtr defaults;
        // The data folder; nothing keeps the data in memory only.
        std::optional<std::filesystem::path> dataFolder;
        // Where logind announces sleep and wake and the session's locks.
        QDBusConnection sleepBus = QDBusConnection::systemBus();
        // The hot key; null for the X11 one.
        std::unique_ptr<veltrane::HotKeyRegistering> hotKey;
        veltrane::ClockPtr clock;
        // Where updates come from and go to; nothing for the real ones.
        std::optional<UpdateManager::Environment> updates = std::nullopt;

        // The real things. MOORLET_SLEEP_BUS=session makes the sleep and lock monitors listen on
        // the session bus, where tests run their own logind.
        static Configuration fromEnvironment();
        // The hot key a Wayland session gets: "Start or pause focus" bound through the desktop
        // portal under the application id. fromEnvironment() takes it on Wayland.
        static std::unique_ptr<veltrane::HotKeyRegistering> portalHotKey();
    };

    explicit AppDelegate(Configuration configuration, QObject* parent = nullptr);
    ~AppDelegate() override;

    // The start-up sequence: prepares the controller, wires the objects together, re-applies the
    // login item, registers the hot key, creates and shows the widget, and starts following
    // sleep and wake and the screen's locks.
    void applicationDidFinishLaunching();
    // Closing any window never quits; the tray menu's "Quit Moorlet" does.
    static constexpr bool applicationShouldTerminateAfterLastWindowClosed() { return false; }

    veltrane::SettingsStore& settings() { return m_settings; }
    FocusSettings& focusSettings() { return m_focusSettings; }
    veltrane::NotificationScheduler& notifications() { return m_notifications; }
    MediaController& media() { return m_media; }
    veltrane::HotKeyRegistering& hotKey() { return *m_hotKey; }
    veltrane::SleepMonitor& sleepMonitor() { return m_sleepMonitor; }
    veltrane::LockMonitor& lockMonitor() { return m_lockMonitor; }
    veltrane::IdleMonitor& idleMonitor() { return m_idleMonitor; }
    UpdateManager& updates() { return m_updates; }
    // Created on first use.
    ThemeProvider& theme();
    LocalDataStore& dataStore();
    AmbientController& ambient();
    FocusController& controller();
    // Null before launch.
    veltrane::WidgetCoordinator* coordinator() const { return m_coordinator.get(); }

    // The card height the rows shown now need, before the panel margin (WidgetMetrics).
    double expandedHeight();
    // Shows the widget, brings it to the front and expands the card (a second start of the
    // program, or a click on the tray icon).
    void showWidget();
    // Registers the hot key (⌥⌘Space: Alt+Super+Space) when the setting is on, else releases it.
    void applyHotKeySetting();
    // The forced light or dark look, or nothing to follow the desktop.
    void applyAppearance();

    // The settings window and the welcome tour: made on first opening and kept, so opening one
    // again shows the same window (the tour from its first page).
    void showSettings();
    void showWelcomeTour();
    void showInsights();
    // The tray menu's "Check for Updates…": a check whose answer the settings' About pane shows.
    void checkForUpdates();
    // Null until first opened.
    InsightsWindow* insightsWindow() const { return m_insightsWindow.get(); }
    SettingsWindow* settingsWindow() const { return m_settingsWindow.get(); }
    WelcomeTourWindow* tourWindow() const { return m_tourWindow.get(); }

    // Sleep and wake, as the sleep monitor reports them.
    void handleSleep();
    void handleWake();

private:
    void revealWidget();
    void finishTour();
    QString diagnostics() const;
    void resizeExpandedPanel();
    void resizeIfExpanded();
    veltrane::DockSide initialDockSide() const;

    veltrane::ClockPtr m_clock;
    std::optional<std::filesystem::path> m_dataFolder;
    veltrane::UserDefaultsPtr m_defaults;
    veltrane::SettingsStore m_settings;
    FocusSettings m_focusSettings;
    veltrane::NotificationScheduler m_notifications;
    // Read from construction on, so that the widget starts in the desktop's look.
    veltrane::DesktopPreferences m_desktopPreferences;
    std::unique_ptr<ThemeProvider> m_theme;
    std::unique_ptr<LocalDataStore> m_dataStore;
    std::unique_ptr<AmbientController> m_ambient;
    MediaController m_media;
    UpdateManager m_updates;
    // Asked by the controller on every tick of a focus block.
    veltrane::IdleMonitor m_idleMonitor;
    std::unique_ptr<FocusController> m_controller;
    std::unique_ptr<veltrane::WidgetCoordinator> m_coordinator;
    // The panel holds the card: from the expansion request until the collapse request.
    bool m_panelExpanded = false;
    std::unique_ptr<veltrane::HotKeyRegistering> m_hotKey;
    veltrane::SleepMonitor m_sleepMonitor;
    veltrane::LockMonitor m_lockMonitor;
    // Whether the desktop portal answers, for the diagnostics a bug report carries.
    std::unique_ptr<PortalProbe> m_portalProbe;
    std::unique_ptr<SettingsWindow> m_settingsWindow;
    std::unique_ptr<WelcomeTourWindow> m_tourWindow;
    std::unique_ptr<InsightsWindow> m_insightsWindow;
};

} // namespace moorlet
