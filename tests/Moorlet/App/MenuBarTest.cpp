// The tray menu's entries and the tray label, driven by a real focus controller on a test clock.

#include "Moorlet/App/MenuBarContent.h"
#include "Moorlet/App/MenuBarLabel.h"
#include "tests/Moorlet/Views/WidgetScene.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <optional>

using namespace moorlet;
using Role = MenuBarItem::Role;

namespace {

struct Shown {
    QString title;
    bool enabled;
};

class MenuBarTest : public ::testing::Test {
protected:
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
};

} // namespace

TEST_F(MenuBarTest, TheMenuDrivesTheSessionAndRelabelsItself)
{
    const struct {
        std::optional<Role> pick;
        SessionPhase phase;
        const char* toggleTitle;
    } steps[] = {
        { std::nullopt, SessionPhase::idle, "Start focus" },
        // Disabled entries do nothing when picked anyway.
        { Role::skip, SessionPhase::idle, "Start focus" },
        { Role::reset, SessionPhase::idle, "Start focus" },
        { Role::toggle, SessionPhase::focusing, "Pause" },
        { Role::toggle, SessionPhase::focusing, "Resume" },
        { Role::toggle, SessionPhase::focusing, "Pause" },
        { Role::skip, SessionPhase::shortBreak, "Pause" },
        { Role::reset, SessionPhase::idle, "Start focus" },
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.toggleTitle);
        if (step.pick)
            pick(*step.pick);
        const bool active = step.phase != SessionPhase::idle;
        EXPECT_EQ(controller.phase(), step.phase);
        EXPECT_EQ(controller.isTicking(), active);
        EXPECT_EQ(shown(Role::toggle).title, QString::fromUtf8(step.toggleTitle));
        EXPECT_EQ(shown(Role::skip).enabled, active);
        EXPECT_EQ(shown(Role::reset).enabled, active);
    }
}

TEST_F(MenuBarTest, TheLabelShowsTheTimeOnlyWhileAPhaseIsUnderWay)
{
    MenuBarLabel label(controller);
    EXPECT_TRUE(label.timeText().isEmpty());
    EXPECT_EQ(label.toolTip(), QStringLiteral("Moorlet"));

    controller.toggle();
    EXPECT_EQ(label.timeText(), QStringLiteral("25:00"));

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

}
