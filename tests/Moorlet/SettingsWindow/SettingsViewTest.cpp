#include "Moorlet/SettingsWindow/SettingsView.h"
#include "Moorlet/SettingsWindow/SettingsWindow.h"
#include "VeltraneKit/Audio/CuePlayer.h"
#include "VeltraneKit/Notifications/NotificationScheduling.h"
#include "tests/Moorlet/Views/ViewProbe.h"
#include "tests/Moorlet/Views/WidgetScene.h"
#include "tests/support/TestSupport.h"

#include <QClipboard>
#include <QDateEdit>
#include <QFile>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace moorlet;
using Kind = SettingsTarget::Kind;
using Control = SettingsControl;

namespace {

struct RecordingNotifications final : veltrane::NotificationScheduling {
    bool isAvailable() const override { return true; }
    void notify(const std::string& title, const std::string&) override { titles.push_back(title); }
    void schedule(const std::string&, veltrane::Instant, const std::string&, const std::string&) override { }
    void cancel(const std::string&) override { }
    std::vector<std::string> titles;
};

struct SilentCues final : veltrane::CuePlayer {
    void play(veltrane::SoundEffect) override { }
};

class SettingsViewTest : public ::testing::Test {
public:
    SettingsViewTest()
    {
        // The scene's controller, but one whose notices can be read.
        scene.controller = std::make_unique<FocusController>(*scene.settings, *scene.focusSettings, scene.store.get(),
            FocusController::Services { scene.clock, veltrane::Calendar::utc(), &notifications,
                std::make_shared<SilentCues>(), [](const QString&) {}, scene.scheduler });
        scene.controller->setThemeProvider(scene.theme.get());
        view = std::make_unique<SettingsView>(
            SettingsObjects { *scene.settings, *scene.focusSettings, *scene.controller, *scene.store, *scene.theme,
                QStringLiteral("1.2.3"),
                { folder.filePath(QStringLiteral("autostart/moorlet.desktop")), QStringLiteral("/opt/moorlet/bin/moorlet"),
                    QStringLiteral("Moorlet") },
                folder.filePath(QStringLiteral("shortcuts")), scene.clock, veltrane::Calendar::utc() },
            SettingsCallbacks { [this] { ++appearanceChanges; },
                [this] { hotKeyAtCallback.push_back(scene.focusSettings->globalHotKeyEnabled()); }, [this] { ++guides; } },
            [] { return QStringLiteral("diagnostics text"); }, scene.ticker.get());
        // Tall enough that most panes need no scrolling; the tests scroll through targetRect anyway.
        view->resize(720, 640);
        view->show();
    }

    // A click where the window system would deliver it: on the child under the point.
    void click(const SettingsTarget& target)
    {
        const QRectF rect = view->targetRect(target);
        ASSERT_FALSE(rect.isNull()) << "no target for control " << static_cast<int>(target.control);
        const QPoint point = rect.center().toPoint();
        ASSERT_EQ(view->hitTest(point), target);
        QWidget* receiver = view->childAt(point);
        if (!receiver)
            receiver = view.get();
        viewprobe::click(*receiver, receiver->mapFrom(view.get(), point));
    }

    void open(SettingsPane pane) { click({ Kind::pane, Control::none, static_cast<int>(pane) }); }

    void type(Control control, const QString& text, bool submit = true)
    {
        QLineEdit* field = view->field(control);
        ASSERT_TRUE(field && field->isVisible());
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
        if (submit)
            QTest::keyClick(field, Qt::Key_Return);
    }

    WidgetScene scene;
    RecordingNotifications notifications;
    testsupport::TemporaryFolder folder;
    int appearanceChanges = 0;
    std::vector<bool> hotKeyAtCallback;
    int guides = 0;
    std::unique_ptr<SettingsView> view;
};

// Each control, driven through the view's own input path, writes its key: a store made afresh on
// the same database reads the new value.
TEST_F(SettingsViewTest, EveryControlWritesItsKey)
{
    using Act = std::function<void(SettingsViewTest&)>;
    struct Case {
        SettingsPane pane;
        Act act;
        const char* property; // of FocusSettings or, where it has none, SettingsStore
        QVariant expected;
    };
    const auto clickOn = [](SettingsTarget target, int times = 1) {
        return [target, times](SettingsViewTest& test) {
            for (int click = 0; click < times; ++click)
                test.click(target);
        };
    };
    const auto typeInto = [](Control control, QString text) {
        return [control, text](SettingsViewTest& test) { test.type(control, text); };
    };
    const auto customThen = [](SettingsTarget target) {
        return [target](SettingsViewTest& test) {
            test.click({ Kind::segment, Control::mode, 2 });
            test.click(target);
        };
    };
    const auto addSubject = [](SettingsViewTest& test) {
        test.type(Control::newSubject, QStringLiteral(" Math "), false);
        test.click({ Kind::button, Control::newSubject });
    };
    using Pane = SettingsPane;
    // The rows run in order on one store: "subjects" is first removed from, then added to.
    const std::vector<Case> cases {
        { Pane::timer, clickOn({ Kind::segment, Control::mode, 1 }), "modeRaw", QStringLiteral("flowmodoro") },
        { Pane::timer, customThen({ Kind::increment, Control::customFocus }), "customFocusMinutes", 51.0 },
        { Pane::timer, customThen({ Kind::decrement, Control::customShortBreak }), "customShortBreakMinutes", 9.0 },
        { Pane::timer, customThen({ Kind::increment, Control::customLongBreak }), "customLongBreakMinutes", 26.0 },
        { Pane::timer, customThen({ Kind::increment, Control::customInterval }), "customLongBreakInterval", 5 },
        { Pane::timer, clickOn({ Kind::increment, Control::dailyGoal }), "dailyGoalMinutes", 75.0 },
        { Pane::timer, clickOn({ Kind::remove, Control::subject, 1 }), "subjects",
            QStringList { "Study", "Reading", "Writing" } },
        { Pane::timer, addSubject, "subjects", QStringList { "Study", "Reading", "Writing", "Math" } },
        { Pane::focus, clickOn({ Kind::toggle, Control::hotKey }), "globalHotKeyEnabled", false },
        { Pane::focus, clickOn({ Kind::toggle, Control::autoShortcuts }), "autoShortcutsEnabled", true },
        { Pane::focus, typeInto(Control::focusShortcutName, "quiet-on"), "focusShortcutName", QStringLiteral("quiet-on") },
        { Pane::focus, typeInto(Control::breakShortcutName, "quiet-off"), "breakShortcutName", QStringLiteral("quiet-off") },
        { Pane::focus, clickOn({ Kind::toggle, Control::pauseOnLock }), "pauseOnLock", false },
        { Pane::focus, clickOn({ Kind::decrement, Control::awayQuestion }), "awayQuestionMinutes", 4.0 },
        { Pane::focus, clickOn({ Kind::decrement, Control::awayQuestion }, 6), "awayQuestionMinutes", 0.0 },
        { Pane::appearance, clickOn({ Kind::swatch, Control::themes, 7 }), "accentThemeID", QStringLiteral("ocean") },
        { Pane::appearance, clickOn({ Kind::toggle, Control::customAccent }), "customAccentEnabled", true },
        { Pane::appearance, typeInto(Control::accentColor, "#46b8c6"), "customAccentHex", QStringLiteral("46B8C6") },
        { Pane::appearance, clickOn({ Kind::segment, Control::appearance, 2 }), "appearance",
            QVariant::fromValue(veltrane::AppearancePreference::dark) },
        { Pane::appearance, clickOn({ Kind::segment, Control::dockSide, 3 }), "widgetMode", QStringLiteral("top") },
        { Pane::appearance, clickOn({ Kind::slider, Control::opacity }), "widgetOpacity", 0.65 },
        { Pane::appearance, clickOn({ Kind::toggle, Control::reduceMotion }), "forceReduceMotion", true },
        { Pane::sound, clickOn({ Kind::toggle, Control::ambientOnFocus }), "ambientOnFocus", false },
        { Pane::sound, clickOn({ Kind::toggle, Control::ambientPauseOnBreak }), "ambientPauseOnBreak", false },
        { Pane::sound, clickOn({ Kind::slider, Control::masterVolume }), "masterVolume", 0.5 },
        { Pane::sound, clickOn({ Kind::slider, Control::fade }), "fadeDuration", 1.5 },
        { Pane::sound, clickOn({ Kind::toggle, Control::soundEffects }), "soundEffectsEnabled", false },
        { Pane::about, clickOn({ Kind::toggle, Control::launchAtLogin }), "launchAtLogin", true },
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.property);
        open(entry.pane);
        entry.act(*this);
        const FocusSettings freshFocus(scene.defaults);
        const veltrane::SettingsStore freshSettings(scene.defaults);
        const QVariant focusValue = freshFocus.property(entry.property);
        const QVariant actual = focusValue.isValid() ? focusValue : freshSettings.property(entry.property);
        // Sliders land on the nearest hundredth.
        if (entry.expected.typeId() == QMetaType::Double)
            EXPECT_NEAR(actual.toDouble(), entry.expected.toDouble(), 0.005);
        else
            EXPECT_EQ(actual, entry.expected);
    }
    // The login switch also wrote the autostart entry.
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("autostart/moorlet.desktop"))));
    // The appearance and hot-key callbacks ran once each, after the setting was stored.
    EXPECT_EQ(appearanceChanges, 1);
    EXPECT_EQ(hotKeyAtCallback, std::vector<bool> { false });
}

TEST_F(SettingsViewTest, ChangingTheModeResetsTheEngineIntoTheNewMode)
{
    scene.controller->toggle();
    scene.run(60);
    ASSERT_EQ(scene.controller->phase(), SessionPhase::focusing);

    open(SettingsPane::timer);
    click({ Kind::segment, Control::mode, 1 });
    EXPECT_EQ(scene.controller->phase(), SessionPhase::idle);
    EXPECT_EQ(scene.controller->engine().mode().kind(), SessionMode::Kind::flowmodoro);

    // Choosing the mode already in force leaves a running block alone.
    scene.controller->toggle();
    click({ Kind::segment, Control::mode, 1 });
    EXPECT_EQ(scene.controller->phase(), SessionPhase::focusing);

    // New custom lengths reach an idle engine at once, not only at the next mode change.
    click({ Kind::segment, Control::mode, 2 });
    click({ Kind::increment, Control::customFocus });
    EXPECT_EQ(scene.controller->engine().mode(), scene.focusSettings->sessionMode());
    EXPECT_EQ(scene.controller->engine().mode().pomodoroConfig()->focus, 51 * 60);
}

TEST_F(SettingsViewTest, LoweringTheGoalBelowTodaysFocusRefreshesAndAnnouncesIt)
{
    scene.focusSettings->setDailyGoalMinutes(120);
    scene.store->addSession({ QUuid::createUuid(), scene.clock->now() - 6000, 6000, std::nullopt, "pomodoro", true,
        std::nullopt });
    open(SettingsPane::timer);
    click({ Kind::decrement, Control::dailyGoal }); // 105 min: not reached
    EXPECT_EQ(scene.controller->focusSecondsToday(), 6000);
    EXPECT_TRUE(notifications.titles.empty());
    click({ Kind::decrement, Control::dailyGoal }); // 90 min: reached
    EXPECT_EQ(notifications.titles, std::vector<std::string> { "Daily goal reached" });
    EXPECT_EQ(scene.focusSettings->dailyGoalMinutes(), 90);
}

TEST_F(SettingsViewTest, TheDeadlineFieldAddsOnlyRealTitlesAndClearsAfterwards)
{
    open(SettingsPane::deadlines);
    view->dateField()->setDate(QDate(2026, 3, 13));
    type(Control::newDeadlineTitle, QStringLiteral(" \t "), false);
    click({ Kind::button, Control::addDeadline });
    EXPECT_TRUE(scene.store->deadlines().empty());

    type(Control::newDeadlineTitle, QStringLiteral("  Project launch "), false);
    click({ Kind::button, Control::addDeadline });
    ASSERT_EQ(scene.store->deadlines().size(), 1U);
    EXPECT_EQ(scene.store->deadlines()[0].title, "Project launch");
    // The chosen day at the current time of day: three days from the scene's Tuesday.
    EXPECT_EQ(scene.store->daysUntil(scene.store->deadlines()[0], scene.clock->now()), 3);
    EXPECT_TRUE(view->field(Control::newDeadlineTitle)->text().isEmpty());

    click({ Kind::remove, Control::deadline, 0 });
    EXPECT_TRUE(scene.store->deadlines().empty());
}

// Only a real colour replaces the stored accent, typed or picked.
TEST_F(SettingsViewTest, OnlyARealColourReplacesTheCustomAccent)
{
    scene.settings->setCustomAccentEnabled(true);
    scene.settings->setCustomAccentHex(QStringLiteral("12345"));
    open(SettingsPane::appearance);
    type(Control::accentColor, QStringLiteral("zz0000"));
    EXPECT_EQ(scene.settings->customAccentHex(), QStringLiteral("12345"));
    click({ Kind::well, Control::accentColor });
    ASSERT_TRUE(view->colorDialog() && view->colorDialog()->isVisible());
    view->colorDialog()->setCurrentColor(QColor(0x46, 0xB8, 0xC6));
    view->colorDialog()->accept();
    EXPECT_EQ(scene.settings->customAccentHex(), QStringLiteral("46B8C6"));
}

TEST_F(SettingsViewTest, TheAboutPaneOffersTheTourDiagnosticsAndTheLoginItemOnlyWhereItCanWork)
{
    open(SettingsPane::about);
    click({ Kind::button, Control::replayTour });
    EXPECT_EQ(guides, 1);
    click({ Kind::button, Control::copyDiagnostics });
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("diagnostics text"));

    // Without a program path or an idle time, the login switch and the idle limit would do
    // nothing: neither is offered, and the focus pane says why.
    SettingsObjects bare { *scene.settings, *scene.focusSettings, *scene.controller, *scene.store, *scene.theme,
        {}, { folder.filePath(QStringLiteral("a.desktop")), {}, {} } };
    bare.isIdleTimeAvailable = [] { return false; };
    SettingsView quiet(bare, {}, {}, scene.ticker.get());
    quiet.setPane(SettingsPane::about);
    EXPECT_FALSE(quiet.layout().row(Control::launchAtLogin).has_value());
    quiet.setPane(SettingsPane::focus);
    EXPECT_FALSE(quiet.layout().row(Control::awayQuestion).has_value());
    EXPECT_TRUE(quiet.layout().row(Control::awayNote).has_value());
}

TEST_F(SettingsViewTest, TheWindowTakesTheKeyboardToWalkTheSidebarAndFlipASwitch)
{
    SettingsCallbacks callbacks;
    callbacks.onHotKeyChange = [this] { hotKeyAtCallback.push_back(scene.focusSettings->globalHotKeyEnabled()); };
    SettingsWindow window(SettingsObjects { *scene.settings, *scene.focusSettings, *scene.controller, *scene.store,
                              *scene.theme, QStringLiteral("1.2.3") },
        callbacks, {}, scene.ticker.get());
    window.showAndRaise();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_FALSE(window.windowFlags() & (Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus));
    // The arrow keys walk the sidebar; Tab goes into the pane, Space flips its first switch.
    QTest::keyClick(&window.view(), Qt::Key_Down);
    EXPECT_EQ(window.view().pane(), SettingsPane::focus);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(window.view().keyboardTarget(), (SettingsTarget { Kind::toggle, Control::hotKey }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(hotKeyAtCallback, std::vector<bool> { false });
}

} // namespace
