#include "Moorlet/App/AppDelegate.h"

#include "Moorlet/App/DesktopIdentity.h"
#include "Moorlet/App/SessionCommands.h"
#include "Moorlet/App/WindowSystem.h"
#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Insights/InsightsWindow.h"
#include "Moorlet/Recap/RecapData.h"
#include "Moorlet/Recap/ShareComposerView.h"
#include "Moorlet/SettingsWindow/Diagnostics.h"
#include "Moorlet/SettingsWindow/SettingsView.h"
#include "Moorlet/SettingsWindow/SettingsWindow.h"
#include "Moorlet/Sound/AmbientController.h"
#include "Moorlet/Theme/ThemePacks.h"
#include "Moorlet/Theme/ThemeProvider.h"
#include "Moorlet/Views/WidgetMetrics.h"
#include "Moorlet/Views/WidgetRootView.h"
#include "Moorlet/WelcomeTour/WelcomeTourWindow.h"
#include "VeltraneKit/Settings/FileUserDefaults.h"
#include "VeltraneKit/System/CarbonKeys.h"
#include "VeltraneKit/System/GlobalHotKey.h"
#include "VeltraneKit/System/LaunchAtLogin.h"
#include "VeltraneKit/System/PortalGlobalShortcut.h"
#include "VeltraneKit/Theme/ThemeCatalog.h"
#include "VeltraneKit/Widget/WidgetCoordinator.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>

namespace moorlet {

namespace {

// The welcome tour's demo: long enough to watch, short enough to wait for.
constexpr veltrane::Seconds kTourDemoSeconds = 25;
// How often the program looks for an update while it runs.
constexpr std::chrono::hours kUpdateCheckInterval { 6 };

// The hot key the application registers: ⌥⌘Space (Alt+Super+Space on Linux).
constexpr std::uint32_t kHotKeyCode = veltrane::carbon::kKeySpace;
constexpr std::uint32_t kHotKeyModifiers = veltrane::carbon::kModifierCommand | veltrane::carbon::kModifierOption;

std::optional<veltrane::PanelAppearance> panelAppearance(veltrane::AppearancePreference preference)
{
    switch (preference) {
    case veltrane::AppearancePreference::system:
        return std::nullopt;
    case veltrane::AppearancePreference::light:
        return veltrane::PanelAppearance::light;
    case veltrane::AppearancePreference::dark:
        return veltrane::PanelAppearance::dark;
    }
    return std::nullopt;
}

QString scheduledNotificationsPath(const std::optional<std::filesystem::path>& dataFolder)
{
    if (!dataFolder)
        return {};
    return QString::fromStdString((*dataFolder / veltrane::NotificationScheduler::kStoreFileName).string());
}

} // namespace

AppDelegate::Configuration AppDelegate::Configuration::fromEnvironment()
{
    Configuration configuration;
    configuration.defaults = std::make_shared<veltrane::FileUserDefaults>();
    configuration.dataFolder = LocalDataStore::defaultFolder();
    if (qgetenv("MOORLET_SLEEP_BUS") == "session")
        configuration.sleepBus = QDBusConnection::sessionBus();
    // Under XWayland an X11 grab fires only while one of our windows has the keyboard; a Wayland
    // desktop binds global keys through its portal.
    if (WindowSystem::isWaylandSession())
        configuration.hotKey = portalHotKey();
    return configuration;
}

std::unique_ptr<veltrane::HotKeyRegistering> AppDelegate::Configuration::portalHotKey()
{
    return std::make_unique<veltrane::PortalGlobalShortcut>(veltrane::PortalGlobalShortcut::Identity {
        QString::fromLatin1(DesktopIdentity::kApplicationId), QStringLiteral("toggle-focus"),
        QStringLiteral("Start or pause focus") });
}

AppDelegate::AppDelegate(Configuration configuration, QObject* parent)
    : QObject(parent)
    , m_clock(configuration.clock ? configuration.clock : std::make_shared<veltrane::SystemClock>())
    , m_dataFolder(std::move(configuration.dataFolder))
    , m_defaults(configuration.defaults ? configuration.defaults : std::make_shared<veltrane::FileUserDefaults>())
    , m_settings(m_defaults)
    , m_focusSettings(m_defaults)
    , m_notifications(m_clock, scheduledNotificationsPath(m_dataFolder),
          { DesktopIdentity::kApplicationName, DesktopIdentity::kIconName, DesktopIdentity::kDesktopEntry })
    , m_updates(QCoreApplication::applicationVersion(), m_defaults,
          configuration.updates ? std::move(*configuration.updates) : UpdateManager::Environment::production())
    , m_hotKey(configuration.hotKey ? std::move(configuration.hotKey) : std::make_unique<veltrane::GlobalHotKey>())
    , m_sleepMonitor(configuration.sleepBus)
    , m_lockMonitor(configuration.sleepBus)
{
}

AppDelegate::~AppDelegate()
{
    // The windows and the panel's views observe the controllers: they go first.
    m_settingsWindow.reset();
    m_tourWindow.reset();
    m_insightsWindow.reset();
    m_coordinator.reset();
    if (m_controller) {
        m_controller->onPhaseChanged = nullptr;
        m_controller->onExpandedChange = nullptr;
    }
    m_hotKey->onPressed = nullptr;
    m_hotKey->onStateChanged = nullptr;
}

ThemeProvider& AppDelegate::theme()
{
    if (!m_theme)
        m_theme = std::make_unique<ThemeProvider>(veltrane::ThemeCatalog(ThemePacks::extras()), m_settings);
    return *m_theme;
}

LocalDataStore& AppDelegate::dataStore()
{
    if (!m_dataStore) {
        m_dataStore = std::make_unique<LocalDataStore>(m_dataFolder, &m_notifications, m_clock);
        // A history that could not be read is told once, when its file is set aside, rather
        // than left to show as an empty card.
        connect(m_dataStore.get(), &LocalDataStore::fileKeptAside, this,
            [this](const QString& records, const QString& keptPath) {
                m_notifications.notify("Moorlet couldn't read your history",
                    QStringLiteral("The %1 in %2 were not loaded. The file is kept there as it was.")
                        .arg(records, keptPath)
                        .toStdString());
            });
    }
    return *m_dataStore;
}

AmbientController& AppDelegate::ambient()
{
    if (!m_ambient)
        m_ambient = std::make_unique<AmbientController>(m_settings, m_focusSettings, AmbientController::applicationBundle());
    return *m_ambient;
}

FocusController& AppDelegate::controller()
{
    if (!m_controller) {
        FocusController::Services services;
        services.clock = m_clock;
        services.notifications = &m_notifications;
        services.idleTime = [this] { return m_idleMonitor.idleTime(); };
        m_controller = std::make_unique<FocusController>(m_settings, m_focusSettings, &dataStore(), std::move(services));
        m_controller->setThemeProvider(&theme());
    }
    return *m_controller;
}

void AppDelegate::applicationDidFinishLaunching()
{
    // An accessory: no taskbar entry (the panel is a tool window) and no quitting when a window
    // closes.
    QGuiApplication::setQuitOnLastWindowClosed(applicationShouldTerminateAfterLastWindowClosed());

    m_notifications.requestAuthorizationIfPossible();

    // The controller starts stopped, in the mode the settings name.
    auto& focus = controller();
    focus.engine().reset();
    focus.engine().setMode(m_focusSettings.sessionMode());
    focus.stopTicking();
    focus.sync();

    // The ambient scene follows the phase, and the open card picks up a player that started
    // meanwhile.
    QPointer<AppDelegate> self(this);
    focus.onPhaseChanged = [self](SessionPhase phase) {
        if (!self)
            return;
        self->ambient().handlePhase(phase);
        if (self->m_panelExpanded) {
            self->m_media.refresh();
            self->resizeExpandedPanel();
        }
    };

    // The login item follows the setting at every launch (the program may have moved).
    veltrane::LaunchAtLogin::set(m_settings.launchAtLogin());

    // Updates: installed automatically as the setting says (also when it changes later), both
    // findings announced, and looked for now and every six hours where the program updates
    // itself at all.
    m_updates.setAutoInstall(m_focusSettings.autoUpdateEnabled());
    connect(&m_focusSettings, &FocusSettings::autoUpdateEnabledChanged, this,
        [this] { m_updates.setAutoInstall(m_focusSettings.autoUpdateEnabled()); });
    m_updates.onUpdateAvailable = [self](const QString& version) {
        if (self)
            self->m_notifications.notify(("Moorlet " + version + " is available").toStdString(),
                "Open Settings, About to install the update.");
    };
    m_updates.onUpdateReady = [self](const QString& version) {
        if (self)
            self->m_notifications.notify(("Moorlet " + version + " is ready").toStdString(),
                "The update is downloaded and verified. Open Settings, About and click Restart to update.");
    };
    if (m_updates.updatesItself())
        m_updates.startPeriodicChecks(kUpdateCheckInterval);

    m_hotKey->onPressed = [self] {
        if (self)
            SessionCommands::toggle(self->controller());
    };
    // A portal answers later, and its user may bind other keys at any time.
    m_hotKey->onStateChanged = [self] {
        if (self && self->m_settingsWindow)
            self->m_settingsWindow->view().refresh();
    };
    applyHotKeySetting();

    // The panel grows for the card and shrinks for the tile.
    focus.onExpandedChange = [self](bool expanded) {
        if (!self || !self->m_coordinator)
            return;
        // The controller reports itself expanded only on the next turn of the event loop; the
        // panel is expanded from now on, and rows that appear meanwhile must resize it.
        self->m_panelExpanded = expanded;
        if (expanded) {
            self->m_media.refresh();
            self->resizeExpandedPanel();
        } else {
            self->m_coordinator->setContentSize(WidgetMetrics::collapsedPanel, veltrane::WidgetCoordinator::Animation::animated);
        }
    };

    // The widget, docked to the side the settings name (the right edge unless they name one).
    auto rootProvider = [self](veltrane::DockSide side) -> QWidget* {
        if (!self)
            return nullptr;
        WidgetRootView::Inputs inputs(self->controller(), self->dataStore());
        inputs.ambient = &self->ambient();
        inputs.media = &self->m_media;
        inputs.theme = &self->theme();
        inputs.dockSide = side;
        inputs.openSettings = [self] {
            if (self)
                self->showSettings();
        };
        inputs.openInsights = [self] {
            if (self)
                self->showInsights();
        };
        inputs.openShare = [self] {
            if (self)
                ShareComposerView::present(RecapData::today(self->controller(), self->m_clock->now()));
        };
        ViewEnvironment environment;
        environment.desktop = &self->m_desktopPreferences;
        auto* view = new WidgetRootView(std::move(inputs), environment);
        // A row that comes or goes while the card is open changes the card's height (a player
        // appears, a deadline is added); the panel follows, so the card is never cut off.
        connect(view, &WidgetRootView::expandedHeightChanged, self, &AppDelegate::resizeIfExpanded);
        return view;
    };
    m_coordinator = std::make_unique<veltrane::WidgetCoordinator>(
        initialDockSide(), m_defaults, veltrane::WidgetCoordinator::kApplicationKeyPrefix, std::move(rootProvider));
    m_coordinator->onClampingOffsetChanged = [self](veltrane::Size offset) {
        if (self)
            self->controller().setClampingOffset(offset);
    };
    m_coordinator->onAnchorChanged = [self](veltrane::WidgetAnchor anchor) {
        if (self)
            self->controller().setWidgetAnchor(anchor);
    };
    m_coordinator->onWidgetClicked = [self] {
        if (self && !self->controller().isExpanded())
            self->controller().setExpanded(true);
    };

    revealWidget();

    // The look and the hot key follow their settings however they change: from the settings
    // window, or from a hand edit of the settings file while Moorlet runs.
    connect(&m_settings, &veltrane::SettingsStore::appearanceChanged, this, &AppDelegate::applyAppearance);
    connect(&m_focusSettings, &FocusSettings::globalHotKeyEnabledChanged, this, &AppDelegate::applyHotKeySetting);
    m_portalProbe = std::make_unique<PortalProbe>();

    // A block running when the computer goes to sleep is paused.
    connect(&m_sleepMonitor, &veltrane::SleepMonitor::willSleep, this, &AppDelegate::handleSleep);
    connect(&m_sleepMonitor, &veltrane::SleepMonitor::didWake, this, &AppDelegate::handleWake);
    // So is a focus block running when the screen locks; a break runs on.
    connect(&m_lockMonitor, &veltrane::LockMonitor::locked, &focus, &FocusController::handleScreenLock);
    connect(&m_lockMonitor, &veltrane::LockMonitor::unlocked, &focus, &FocusController::handleScreenUnlock);
}

double AppDelegate::expandedHeight()
{
    return WidgetMetrics::expandedHeight(controller(), &m_media, dataStore());
}

void AppDelegate::resizeExpandedPanel()
{
    if (!m_coordinator)
        return;
    m_coordinator->setContentSize(WidgetMetrics::expandedPanelSize(expandedHeight()),
        veltrane::WidgetCoordinator::Animation::animated);
}

void AppDelegate::resizeIfExpanded()
{
    if (m_panelExpanded)
        resizeExpandedPanel();
}

void AppDelegate::revealWidget()
{
    m_coordinator->show();
    applyAppearance();
    // The flag is set before the tour shows, so quitting during the tour never shows it again.
    if (!m_focusSettings.hasCompletedTour()) {
        m_focusSettings.setHasCompletedTour(true);
        QTimer::singleShot(0, this, &AppDelegate::showWelcomeTour);
    }
}

void AppDelegate::showSettings()
{
    if (!m_settingsWindow) {
        QPointer<AppDelegate> self(this);
        SettingsCallbacks callbacks {
            [self] {
                if (self)
                    self->applyAppearance();
            },
            [self] {
                if (self)
                    self->applyHotKeySetting();
            },
            [self] {
                if (self)
                    self->showWelcomeTour();
            },
        };
        SettingsObjects objects { m_settings, m_focusSettings, controller(), dataStore(), theme(),
            QCoreApplication::applicationVersion() };
        objects.isIdleTimeAvailable = [self] { return self && self->m_idleMonitor.isAvailable(); };
        objects.hotKey = m_hotKey.get();
        objects.updates = &m_updates;
        m_settingsWindow = std::make_unique<SettingsWindow>(std::move(objects),
            std::move(callbacks), [self] { return self ? self->diagnostics() : QString(); });
    }
    m_settingsWindow->showAndRaise();
}

void AppDelegate::checkForUpdates()
{
    showSettings();
    m_settingsWindow->view().setPane(SettingsPane::about);
    m_updates.check(true);
}

void AppDelegate::showWelcomeTour()
{
    if (!m_tourWindow) {
        QPointer<AppDelegate> self(this);
        auto onFinish = [self] {
            if (self)
                self->finishTour();
        };
        auto onTryDemo = [self] {
            if (!self)
                return;
            self->finishTour();
            self->controller().setExpanded(true);
            self->controller().startDemo(kTourDemoSeconds);
        };
        ViewEnvironment environment;
        environment.desktop = &m_desktopPreferences;
        m_tourWindow = std::make_unique<WelcomeTourWindow>(
            controller(), controller().accent(), std::move(onFinish), std::move(onTryDemo), environment);
    }
    m_tourWindow->showFromStart();
}

void AppDelegate::showInsights()
{
    if (!m_insightsWindow) {
        ViewEnvironment environment;
        environment.desktop = &m_desktopPreferences;
        m_insightsWindow = std::make_unique<InsightsWindow>(dataStore(), m_focusSettings, m_settings,
            theme().accent(SessionPhase::focusing), controller().analytics(), environment);
        // The window draws in the focusing accent, which follows the theme and the custom accent.
        connect(&theme(), &ThemeProvider::accentChanged, m_insightsWindow.get(),
            [this] { m_insightsWindow->setAccent(theme().accent(SessionPhase::focusing)); });
    }
    m_insightsWindow->showInsights();
}

void AppDelegate::finishTour()
{
    m_focusSettings.setHasCompletedTour(true);
    if (m_tourWindow)
        m_tourWindow->close();
}

QString AppDelegate::diagnostics() const
{
    return Diagnostics::gather(QCoreApplication::applicationVersion(), &m_notifications, &m_media,
        veltrane::LaunchAtLogin::defaultLocation(), m_portalProbe ? m_portalProbe->answered() : std::nullopt)
        .text();
}

void AppDelegate::showWidget()
{
    if (!m_coordinator)
        return;
    m_coordinator->show();
    controller().setExpanded(true);
}

void AppDelegate::applyHotKeySetting()
{
    if (m_focusSettings.globalHotKeyEnabled())
        m_hotKey->registerHotKey(kHotKeyCode, kHotKeyModifiers);
    else
        m_hotKey->unregister();
}

void AppDelegate::applyAppearance()
{
    if (m_coordinator)
        m_coordinator->applyAppearance(panelAppearance(m_settings.appearance()));
}

void AppDelegate::handleSleep()
{
    auto& focus = controller();
    if (!focus.engine().isRunning() || focus.engine().isPaused())
        return;
    // The ticker keeps running, as for any pause: whatever moves the session on after waking
    // (a skip from the tray or the command line) must find it.
    focus.engine().pause();
    focus.sync();
}

void AppDelegate::handleWake()
{
    auto& focus = controller();
    focus.engine().tick();
    focus.sync();
    // The day may have changed while the computer slept, and the timer for the next midnight
    // did not count the time asleep.
    focus.refreshStats(false);
}

veltrane::DockSide AppDelegate::initialDockSide() const
{
    return veltrane::dockSide(m_settings.widgetMode().toStdString()).value_or(veltrane::DockSide::right);
}

} // namespace moorlet
