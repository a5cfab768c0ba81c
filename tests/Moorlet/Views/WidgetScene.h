#pragma once

#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Settings/FocusSettings.h"
#include "Moorlet/Theme/ThemeProvider.h"
#include "Moorlet/Views/WidgetRootView.h"
#include "VeltraneKit/Geometry/DockSide.h"
#include "VeltraneKit/Motion/FrameTicker.h"
#include "VeltraneKit/Motion/ManualFrameDriver.h"
#include "VeltraneKit/Settings/MemoryUserDefaults.h"
#include "VeltraneKit/Settings/SettingsStore.h"
#include "VeltraneKit/Time/ManualOneShotScheduler.h"

#include <QString>
#include <QStringList>

#include <functional>

#include <memory>
#include <optional>

namespace moorlet {

class AmbientController;
class MediaController;

// Everything the widget's views run on, made of test doubles whose time moves only when told
// to: one clock for the session, the animations and the delayed work, an in-memory store and
// settings, a silent ambient controller. The views' tests and the screenshot tool build their
// states on it.
class WidgetScene {
public:
    struct Options {
        // A silent ambient controller with the shipped catalogue and this folder for imports
        // (empty: no ambient controller).
        QString soundsFolder;
        // What the ambient controller's file chooser answers (nothing when empty).
        std::function<QStringList()> chooseFiles;
        // A media controller on the session bus, finding installed players in this folder's
        // applications (empty: no media controller).
        QString applicationsFolder;
        // The data store's folder (empty: a store in memory).
        QString dataFolder;
    };

    // 2026-03-10 09:00 UTC, a Tuesday.
    static constexpr veltrane::Instant kStart = 1773133200;
    // A frame of the animations.
    static constexpr veltrane::Seconds kFrame = 1.0 / 60;

    explicit WidgetScene(const Options& options = {});
    ~WidgetScene();
    WidgetScene(const WidgetScene&) = delete;
    WidgetScene& operator=(const WidgetScene&) = delete;

    // Builds the root view (replacing an earlier one) and sizes it to its panel.
    WidgetRootView& makeRoot(veltrane::DockSide side = veltrane::DockSide::right);
    WidgetRootView& root() { return *m_root; }

    // Moves time on by `seconds` in frame-sized steps: the clock, the delayed work and the
    // animation frames together.
    void advance(veltrane::Seconds seconds);
    // Lets every animation that ends come to rest (endless ones keep running).
    void settle(veltrane::Seconds atMost = 3);
    // Runs the session for `seconds`, the controller's ticker firing every half second.
    void run(veltrane::Seconds seconds);
    // Expands or collapses as the panel's click and the delayed collapse do, and sizes the root
    // view to the panel as the coordinator would.
    void expand();
    void collapse();
    // Sizes the root view to the panel for the state (the current one when not given):
    // 168 × 168, or 320 × (card + 48).
    void fitPanel(std::optional<bool> expanded = std::nullopt);
    // Starts a session and skips along until it is in `phase` (idle stays idle).
    void enterPhase(SessionPhase phase);
    // Logs a completed focus block ending now that took `seconds`.
    void logFocus(veltrane::Seconds seconds);

    std::shared_ptr<veltrane::TestClock> clock;
    std::shared_ptr<veltrane::ManualOneShotScheduler> scheduler;
    veltrane::ManualFrameDriver* frames;
    std::unique_ptr<veltrane::FrameTicker> ticker;
    std::shared_ptr<veltrane::MemoryUserDefaults> defaults;
    std::unique_ptr<veltrane::SettingsStore> settings;
    std::unique_ptr<FocusSettings> focusSettings;
    std::unique_ptr<LocalDataStore> store;
    std::unique_ptr<ThemeProvider> theme;
    std::shared_ptr<veltrane::ManualOneShotScheduler> audioQueue;
    std::unique_ptr<AmbientController> ambient;
    std::unique_ptr<MediaController> media;
    std::unique_ptr<FocusController> controller;
    // What the desktop answers for the time since the last input (nothing: it does not tell).
    std::optional<veltrane::Seconds> idleTime;
    int settingsOpened = 0;
    int insightsOpened = 0;
    int shareOpened = 0;

private:
    std::unique_ptr<WidgetRootView> m_root;
};

} // namespace moorlet
