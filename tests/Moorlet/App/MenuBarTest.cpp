// The tray menu's entries and the tray label, driven by a real focus controller on a test clock.

#include "Moorlet/App/MenuBarContent.h"
#include "Moorlet/App/MenuBarLabel.h"
#include "tests/Moorlet/Views/WidgetScene.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace moorlet;
using Role = MenuBarItem::Role;

namespace {

struct Shown {
    QString title;
    bool enabled;
};

class MenuBarTest : public ::testing::Test {
protected:
    MenuBarTest() { content.onQuit = [this] { ++quitRequests; }; }

    // The menu's entry for a role, as a tray would show it.
    Shown shown(Role role) const
    {
        for (const auto& item : content.currentItems())
            if (item.role == role)
                return { item.title, item.enabled };
        ADD_FAILURE() << "no entry for the role";
        return {};
    }

    void pick(Role role)
    {
        const auto items = content.currentItems();
        const auto actions = content.menu()->actions();
        ASSERT_EQ(items.size(), static_cast<size_t>(actions.size()));
        for (size_t index = 0; index < items.size(); ++index)
            if (items[index].role == role)
                actions[static_cast<qsizetype>(index)]->trigger();
    }

    // Lets the engine's time pass as the ticker would see it.
    void pass(veltrane::Seconds seconds)
    {
        scene.clock->advance(seconds);
        controller.tickerFired();
    }

    WidgetScene scene;
    FocusController& controller = *scene.controller;
    MenuBarContent content { controller };
    int quitRequests = 0;
};

} // namespace

TEST_F(MenuBarTest, TheMenuDrivesTheSessionAndRelabelsItself)
{
    EXPECT_EQ(shown(Role::toggle).title, QStringLiteral("Start focus"));
    EXPECT_FALSE(shown(Role::skip).enabled);
    EXPECT_FALSE(shown(Role::reset).enabled);
    // Disabled entries do nothing when picked anyway.
    pick(Role::skip);
    pick(Role::reset);
    EXPECT_EQ(controller.phase(), SessionPhase::idle);
    EXPECT_FALSE(controller.isTicking());

    pick(Role::toggle);
    EXPECT_EQ(controller.phase(), SessionPhase::focusing);
    EXPECT_TRUE(controller.isTicking());
    EXPECT_EQ(shown(Role::toggle).title, QStringLiteral("Pause"));
    EXPECT_TRUE(shown(Role::skip).enabled);
    EXPECT_TRUE(shown(Role::reset).enabled);

    pick(Role::toggle);
    EXPECT_TRUE(controller.isPaused());
    EXPECT_EQ(shown(Role::toggle).title, QStringLiteral("Resume"));

    pick(Role::toggle);
    EXPECT_TRUE(controller.isRunning());

    pick(Role::skip);
    EXPECT_EQ(controller.phase(), SessionPhase::shortBreak);
    EXPECT_EQ(shown(Role::toggle).title, QStringLiteral("Pause"));

    pick(Role::reset);
    EXPECT_EQ(controller.phase(), SessionPhase::idle);
    EXPECT_FALSE(controller.isTicking());
    EXPECT_EQ(shown(Role::toggle).title, QStringLiteral("Start focus"));
    EXPECT_FALSE(shown(Role::skip).enabled);
}

TEST_F(MenuBarTest, TheWindowAndQuitEntriesEachCallTheirOwnActionOnce)
{
    std::vector<Role> opened;
    content.openInsights = [&] { opened.push_back(Role::insights); };
    content.openGuide = [&] { opened.push_back(Role::guide); };
    content.openSettings = [&] { opened.push_back(Role::settings); };
    pick(Role::insights);
    pick(Role::guide);
    pick(Role::settings);
    pick(Role::quit);
    EXPECT_EQ(opened, (std::vector<Role> { Role::insights, Role::guide, Role::settings }));
    EXPECT_EQ(quitRequests, 1);
}

TEST_F(MenuBarTest, TheLabelShowsTheTimeOnlyWhileAPhaseIsUnderWayAndTheIconThePhaseAccent)
{
    MenuBarLabel label(controller);
    EXPECT_TRUE(label.timeText().isEmpty());
    EXPECT_EQ(label.toolTip(), QStringLiteral("Moorlet"));

    controller.toggle();
    EXPECT_EQ(label.timeText(), QStringLiteral("25:00"));
    EXPECT_EQ(label.toolTip(), QStringLiteral("25:00"));

    // The controller ticks twice a second; the text, and its signal, change once a second.
    QSignalSpy textChanges(&label, &MenuBarLabel::textChanged);
    for (int tick = 0; tick < 4; ++tick)
        pass(0.5);
    EXPECT_EQ(label.timeText(), QStringLiteral("24:58"));
    EXPECT_EQ(textChanges.count(), 2);

    // Paused, the time stays where it stopped.
    controller.toggle();
    pass(30);
    EXPECT_EQ(label.timeText(), QStringLiteral("24:58"));

    controller.engine().reset();
    controller.sync();
    EXPECT_TRUE(label.timeText().isEmpty());
    EXPECT_EQ(label.toolTip(), QStringLiteral("Moorlet"));

    // The icon is the timer symbol in the phase's accent: some opaque pixel carries it.
    const auto showsAccent = [&] {
        const auto image = label.icon().pixmap(QSize(22, 22)).toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y).alpha() == 255 && image.pixel(x, y) == controller.accent().rgb())
                    return true;
        return false;
    };
    EXPECT_TRUE(showsAccent());
    QSignalSpy iconChanges(&label, &MenuBarLabel::iconChanged);
    const auto idleAccent = controller.accent();
    controller.toggle();
    ASSERT_NE(controller.accent(), idleAccent) << "the test needs focus to have its own accent";
    EXPECT_EQ(iconChanges.count(), 1);
    EXPECT_TRUE(showsAccent());
    // Ticks do not redraw the icon.
    pass(0.5);
    pass(0.5);
    EXPECT_EQ(iconChanges.count(), 1);
}
