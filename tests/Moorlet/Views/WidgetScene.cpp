#include "tests/Moorlet/Views/WidgetScene.h"

#include "Moorlet/Media/MediaController.h"
#include "Moorlet/Sound/AmbientController.h"
#include "Moorlet/Theme/ThemePacks.h"
#include "Moorlet/Views/WidgetMetrics.h"
#include "VeltraneKit/Audio/CuePlayer.h"
#include "VeltraneKit/Audio/OfflineAudioOutput.h"
#include "VeltraneKit/System/XdgFolders.h"

#include <QDBusConnection>

#include <cmath>

namespace moorlet {

namespace {

class SilentCues final : public veltrane::CuePlayer {
public:
    void play(veltrane::SoundEffect) override { }
};

} // namespace

WidgetScene::WidgetScene(const Options& options)
    : clock(std::make_shared<veltrane::TestClock>(kStart))
    , scheduler(std::make_shared<veltrane::ManualOneShotScheduler>())
    , defaults(std::make_shared<veltrane::MemoryUserDefaults>())
{
    auto driver = std::make_unique<veltrane::ManualFrameDriver>();
    frames = driver.get();
    ticker = std::make_unique<veltrane::FrameTicker>(clock, std::move(driver));
    settings = std::make_unique<veltrane::SettingsStore>(defaults);
    focusSettings = std::make_unique<FocusSettings>(defaults);
    focusSettings->setDailyGoalMinutes(60);
    std::optional<std::filesystem::path> dataFolder;
    if (!options.dataFolder.isEmpty())
        dataFolder = options.dataFolder.toStdString();
    store = std::make_unique<LocalDataStore>(dataFolder, nullptr, clock, veltrane::Calendar::utc());
    theme = std::make_unique<ThemeProvider>(veltrane::ThemeCatalog(ThemePacks::extras()), *settings);

    if (!options.soundsFolder.isEmpty()) {
        audioQueue = std::make_shared<veltrane::ManualOneShotScheduler>();
        AmbientController::Environment environment;
        environment.output = std::make_unique<veltrane::OfflineAudioOutput>();
        environment.mainQueue = audioQueue;
        environment.soundsFolder = options.soundsFolder;
        environment.chooseFiles = options.chooseFiles ? options.chooseFiles : [] { return QStringList(); };
        ambient = std::make_unique<AmbientController>(
            *settings, *focusSettings, AmbientController::applicationBundle(), std::move(environment));
    }
    if (!options.applicationsFolder.isEmpty()) {
        const QString& root = options.applicationsFolder;
        media = std::make_unique<MediaController>(QDBusConnection::sessionBus(),
            PlayerApplications(veltrane::XdgFolders { root + QStringLiteral("/config"), {}, root + QStringLiteral("/data"),
                { root + QStringLiteral("/share") }, {} }));
    }

    controller = std::make_unique<FocusController>(*settings, *focusSettings, store.get(),
        FocusController::Services { clock, veltrane::Calendar::utc(), nullptr, std::make_shared<SilentCues>(),
            [](const QString&) {}, scheduler, [this] { return idleTime; } });
    controller->setThemeProvider(theme.get());
}

WidgetScene::~WidgetScene()
{
    m_root.reset();
    controller.reset();
}

WidgetRootView& WidgetScene::makeRoot(veltrane::DockSide side)
{
    m_root.reset();
    ViewEnvironment environment;
    environment.ticker = ticker.get();
    environment.scheduler = scheduler;
    environment.clock = clock;
    WidgetRootView::Inputs inputs { *controller, *store };
    inputs.ambient = ambient.get();
    inputs.media = media.get();
    inputs.theme = theme.get();
    inputs.dockSide = side;
    inputs.openSettings = [this] { ++settingsOpened; };
    inputs.openInsights = [this] { ++insightsOpened; };
    inputs.openShare = [this] { ++shareOpened; };
    m_root = std::make_unique<WidgetRootView>(std::move(inputs), environment);
    fitPanel();
    return *m_root;
}

void WidgetScene::advance(veltrane::Seconds seconds)
{
    const int steps = std::max(1, static_cast<int>(std::lround(seconds / kFrame)));
    const veltrane::Seconds step = seconds / steps;
    for (int i = 0; i < steps; ++i) {
        clock->advance(step);
        scheduler->advance(step);
        frames->frame();
    }
}

void WidgetScene::settle(veltrane::Seconds atMost)
{
    // Delayed work due now runs first (it may start animations).
    scheduler->advance(0);
    for (veltrane::Seconds waited = 0; waited < atMost && frames->isRunning(); waited += kFrame)
        advance(kFrame);
}

void WidgetScene::run(veltrane::Seconds seconds)
{
    for (veltrane::Seconds passed = 0; passed < seconds; passed += 0.5) {
        advance(0.5);
        if (controller->isTicking())
            controller->tickerFired();
    }
}

void WidgetScene::expand()
{
    // As the application does: the panel grows first, then the controller publishes the
    // expansion on the next turn.
    controller->setExpanded(true);
    fitPanel(true);
    scheduler->advance(0);
}

void WidgetScene::collapse() { controller->setExpanded(false); }

void WidgetScene::fitPanel(std::optional<bool> expanded)
{
    if (!m_root)
        return;
    const veltrane::Size size = expanded.value_or(controller->isExpanded())
        ? WidgetMetrics::expandedPanelSize(m_root->expandedHeight())
        : WidgetMetrics::collapsedPanel;
    m_root->resize(static_cast<int>(size.width), static_cast<int>(size.height));
}

void WidgetScene::enterPhase(SessionPhase phase)
{
    if (phase == SessionPhase::idle || controller->phase() == phase)
        return;
    if (controller->phase() == SessionPhase::idle)
        controller->toggle();
    // A Pomodoro cycle reaches every phase within four skips.
    for (int skips = 0; skips < 8 && controller->phase() != phase; ++skips) {
        controller->engine().skip();
        controller->sync();
    }
}

void WidgetScene::logFocus(veltrane::Seconds seconds)
{
    store->addSession({ QUuid::createUuid(), clock->now() - seconds, seconds, std::nullopt, "pomodoro", true, std::nullopt });
    controller->refreshStats(false);
}

} // namespace moorlet
