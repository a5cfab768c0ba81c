#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Focus/FocusController.h"
#include "Moorlet/Settings/FocusSettings.h"
#include "VeltraneKit/Audio/CuePlayer.h"
#include "VeltraneKit/Notifications/NotificationScheduling.h"
#include "VeltraneKit/Settings/MemoryUserDefaults.h"
#include "VeltraneKit/Settings/SettingsStore.h"
#include "VeltraneKit/Time/ManualOneShotScheduler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

using namespace moorlet;
using veltrane::SoundEffect;
using ::testing::ElementsAre;

namespace {

bool announcesTheGoal(const std::vector<std::string>& entries)
{
    return std::any_of(entries.begin(), entries.end(),
        [](const std::string& entry) { return entry.find("Daily goal") != std::string::npos; });
}

// Everything the controller did to the outside world, in order, as short text: the notifications
// it posted, the cues it played and (through the fixture) the shortcuts it ran.
class Journal final : public veltrane::NotificationScheduling, public veltrane::CuePlayer {
public:
    std::vector<std::string> take() { return std::exchange(entries, {}); }

    bool isAvailable() const override { return true; }
    void notify(const std::string& title, const std::string& body) override
    {
        entries.push_back("notify " + title + " | " + body);
    }
    void schedule(const std::string& id, veltrane::Instant, const std::string&, const std::string&) override
    {
        entries.push_back("schedule " + id);
    }
    void cancel(const std::string& id) override { entries.push_back("cancel " + id); }
    void play(SoundEffect effect) override
    {
        static const char* names[] = { "focusStart", "focusEnd", "breakEnd", "goal" };
        entries.push_back(std::string("cue ") + names[static_cast<int>(effect)]);
    }

    std::vector<std::string> entries;
};

// 2026-03-07 09:00 in New York (EST, UTC-5): the day before clocks spring forward.
constexpr veltrane::Instant kMorning = 1772892000;

class FocusControllerTest : public ::testing::Test {
protected:
    FocusControllerTest()
    {
        focusSettings.setSoundEffectsEnabled(true);
        makeController();
    }

    FocusController::Services services()
    {
        return { clock, calendar, journal.get(), journal,
            [this](const QString& name) { journal->entries.push_back("shortcut " + name.toStdString()); }, scheduler };
    }

    void makeController()
    {
        controller.reset();
        controller = std::make_unique<FocusController>(settings, focusSettings, &store, services());
    }

    // Moves time on and lets the ticker fire as it would have, every half second.
    void run(veltrane::Seconds seconds)
    {
        for (double passed = 0; passed < seconds; passed += 0.5) {
            clock->advance(0.5);
            if (controller->isTicking())
                controller->tickerFired();
        }
    }

    veltrane::Calendar calendar = *veltrane::Calendar::named("America/New_York");
    std::shared_ptr<veltrane::TestClock> clock = std::make_shared<veltrane::TestClock>(kMorning);
    std::shared_ptr<veltrane::ManualOneShotScheduler> scheduler = std::make_shared<veltrane::ManualOneShotScheduler>();
    std::shared_ptr<veltrane::MemoryUserDefaults> defaults = std::make_shared<veltrane::MemoryUserDefaults>();
    veltrane::SettingsStore settings { defaults };
    FocusSettings focusSettings { defaults };
    std::shared_ptr<Journal> journal = std::make_shared<Journal>();
    LocalDataStore store { std::nullopt, nullptr, clock, calendar };
    std::unique_ptr<FocusController> controller;
};

TEST_F(FocusControllerTest, ToggleStartsPausesAndResumesWithTheTickerOnlyWhileActive)
{
    EXPECT_FALSE(controller->isTicking());
    EXPECT_EQ(controller->primaryIcon(), "play.fill");
    EXPECT_EQ(controller->displayTime(), "00:00");
    controller->toggle();
    EXPECT_TRUE(controller->isTicking());
    EXPECT_EQ(controller->primaryIcon(), "pause.fill");
    EXPECT_EQ(controller->displayTime(), "25:00");

    run(60);
    EXPECT_EQ(controller->displayTime(), "24:00");
    controller->toggle();
    EXPECT_TRUE(controller->isPaused());
    EXPECT_EQ(controller->primaryIcon(), "play.fill");
    // A paused block keeps its ticker, and the paused time does not count.
    run(600);
    EXPECT_TRUE(controller->isTicking());
    EXPECT_EQ(controller->displayTime(), "24:00");

    controller->toggle();
    EXPECT_TRUE(controller->isRunning());

    // A reset from the card leaves the ticker to stop itself at its next firing.
    controller->engine().reset();
    controller->sync();
    EXPECT_TRUE(controller->isTicking());
    run(0.5);
    EXPECT_FALSE(controller->isTicking());
    EXPECT_EQ(controller->phase(), SessionPhase::idle);
}

TEST_F(FocusControllerTest, ACompletedBlockIsStoredWithTheDefaultSubjectAndCreditsTheTask)
{
    focusSettings.setDefaultSubject("Study");
    controller->setIntention("   \n ");
    auto task = store.addTask("Essay");
    ASSERT_TRUE(task);
    controller->setActiveTask(task);
    EXPECT_EQ(controller->currentSubject(), "Essay");
    controller->setCurrentSubject("");

    controller->toggle();
    run(1500);

    ASSERT_EQ(store.sessions().size(), 1u);
    const auto& session = store.sessions().front();
    EXPECT_EQ(session.subjectTag, "Study");
    EXPECT_EQ(session.intention, std::nullopt);
    EXPECT_DOUBLE_EQ(session.startDate, kMorning);
    EXPECT_DOUBLE_EQ(session.duration, 1500);
    EXPECT_DOUBLE_EQ(controller->focusSecondsToday(), 1500);
    EXPECT_EQ(controller->completedSessionsToday(), 1);
    EXPECT_DOUBLE_EQ(store.task(task->id)->loggedSeconds, 1500);
    EXPECT_EQ(controller->phase(), SessionPhase::shortBreak);
}

TEST_F(FocusControllerTest, TheIntentionIsTrimmedAndAChosenSubjectWins)
{
    focusSettings.setDefaultSubject("Study");
    controller->setCurrentSubject("Maths");
    controller->setIntention("  Finish chapter 3 \n");
    controller->toggle();
    run(120);
    controller->engine().stopEarly();
    controller->sync();
    ASSERT_EQ(store.sessions().size(), 1u);
    EXPECT_EQ(store.sessions()[0].subjectTag, "Maths");
    EXPECT_EQ(store.sessions()[0].intention, "Finish chapter 3");
    EXPECT_FALSE(store.sessions()[0].completed);
}

TEST_F(FocusControllerTest, PhaseEdgesAnnouncePlayCuesAndRunAutomationsInOrder)
{
    focusSettings.setAutoShortcutsEnabled(true);
    focusSettings.setFocusShortcutName("Focus On");
    focusSettings.setBreakShortcutName("Focus Off");
    const auto complete = "notify Focus complete | Nice work. Time for a break.";
    controller->toggle();
    EXPECT_THAT(journal->take(), ElementsAre("cue focusStart", "shortcut Focus On"));
    run(1500);
    EXPECT_THAT(journal->take(), ElementsAre(complete, "cue focusEnd", "shortcut Focus Off"));
    run(300);
    EXPECT_THAT(journal->take(),
        ElementsAre("notify Break's over | Back to focus.", "cue breakEnd", "shortcut Focus On"));
    controller->engine().reset(); // stopping a focus block counts as leaving focus
    controller->sync();
    EXPECT_THAT(journal->take(), ElementsAre("shortcut Focus Off"));

    focusSettings.setSoundEffectsEnabled(false);
    focusSettings.setAutoShortcutsEnabled(false);
    controller->toggle();
    controller->engine().skip();
    controller->sync();
    EXPECT_THAT(journal->take(), ElementsAre(complete));
}

TEST_F(FocusControllerTest, TheGoalIsAnnouncedOnceADayAndNeverAfterARestartOnAReachedDay)
{
    focusSettings.setDailyGoalMinutes(50);
    controller->toggle();
    run(1500);
    journal->take();
    run(300);
    journal->take();
    run(1500); // 50 minutes today: the goal is reached with this block
    EXPECT_THAT(journal->take(),
        ElementsAre("notify Daily goal reached | You hit 50 minutes of focus today.", "cue goal",
            "notify Focus complete | Nice work. Time for a break.", "cue focusEnd"));
    EXPECT_DOUBLE_EQ(controller->goalProgress(), 1.0);
    EXPECT_EQ(controller->goalLabel(), "50m / 50m");

    run(300 + 1500); // another block the same day
    EXPECT_FALSE(announcesTheGoal(journal->take()));

    // A restart the same day marks the goal silently.
    controller->engine().reset();
    makeController();
    controller->toggle();
    run(1500);
    EXPECT_FALSE(announcesTheGoal(journal->take()));

    // The next day (a 23-hour day follows in New York) it can fire again.
    controller->engine().reset();
    controller->sync();
    clock->set(calendar.startOfDay(calendar.dayNumber(kMorning) + 1) + 10 * 3600);
    controller->toggle();
    run(1500 + 300 + 1500);
    const auto entries = journal->take();
    EXPECT_EQ(std::count(entries.begin(), entries.end(),
                  "notify Daily goal reached | You hit 50 minutes of focus today."),
        1);
}

TEST_F(FocusControllerTest, TodaysFiguresRollOverAtEveryLocalMidnight)
{
    // Blocks of 10, 20 and 30 minutes on three days; 8 March is 23 hours long in New York.
    const auto day = calendar.dayNumber(kMorning);
    for (int index = 0; index < 3; ++index)
        store.addSession(FocusSession { QUuid::createUuid(), calendar.startOfDay(day + index) + 36000,
            600.0 * (index + 1), std::nullopt, "pomodoro", true, std::nullopt });
    controller->refreshStats(false);
    const auto pass = [&](veltrane::Seconds clockStep, veltrane::Seconds timerStep) {
        clock->advance(clockStep);
        scheduler->advance(timerStep);
        return controller->focusSecondsToday();
    };
    for (int index = 1; index < 3; ++index) {
        const auto wait = calendar.startOfDay(day + index) - clock->now();
        EXPECT_EQ(pass(wait - 1, wait - 1), 600 * index) << "a second before midnight " << index;
        EXPECT_EQ(pass(1, 1), 600 * (index + 1)) << "at midnight " << index;
    }
}

TEST_F(FocusControllerTest, AGoalThatIsNoFiniteWholeNumberOfMinutesCountsAsNoGoal)
{
    for (double goal : { std::nan(""), std::numeric_limits<double>::infinity(), 1e300, -5.0, 0.0 }) {
        focusSettings.setDailyGoalMinutes(goal);
        EXPECT_EQ(controller->dailyGoalSeconds(), std::nullopt) << goal;
        EXPECT_EQ(controller->goalProgress(), 0) << goal;
        EXPECT_EQ(controller->goalLabel(), "0m / 0m") << goal;
    }
}

TEST_F(FocusControllerTest, TheDemoLogsNothingAndRestoresTheConfiguredMode)
{
    focusSettings.setModeRaw("flowmodoro");
    controller->startDemo(25);
    EXPECT_TRUE(controller->isDemo());
    EXPECT_EQ(controller->phase(), SessionPhase::focusing);
    run(25);
    EXPECT_EQ(controller->phase(), SessionPhase::shortBreak);
    EXPECT_FALSE(controller->isDemo());
    EXPECT_TRUE(store.sessions().empty());

    scheduler->advance(1.5);
    EXPECT_EQ(controller->phase(), SessionPhase::shortBreak);
    scheduler->advance(0.1);
    EXPECT_EQ(controller->phase(), SessionPhase::idle);
    EXPECT_FALSE(controller->isTicking());
    EXPECT_EQ(controller->engine().mode(), SessionMode::flowmodoro());
}

// However the demo ends, the user's own block comes back as it was: a demo left early must not
// swallow it.
TEST_F(FocusControllerTest, TheDemoHandsTheUsersOwnBlockBackHoweverItEnds)
{
    for (const bool runsOut : { true, false }) {
        SCOPED_TRACE(runsOut ? "runs out, paused" : "reset");
        makeController();
        const auto sessionsBefore = store.sessions().size();
        const auto start = clock->now();
        controller->toggle();
        run(100);
        if (runsOut)
            controller->toggle();
        const auto remaining = controller->remaining();

        controller->startDemo(25);
        if (runsOut) {
            run(25);
            scheduler->advance(FocusController::kDemoEndDelay);
        } else {
            run(10);
            controller->engine().reset();
            controller->sync();
            scheduler->advance(0);
        }
        EXPECT_FALSE(controller->isDemo());
        ASSERT_EQ(controller->phase(), SessionPhase::focusing);
        EXPECT_EQ(controller->isPaused(), runsOut);
        EXPECT_EQ(controller->remaining(), remaining);
        EXPECT_TRUE(controller->isTicking());
        EXPECT_EQ(store.sessions().size(), sessionsBefore);

        // The block ends as if the demo had never run: its time does not count.
        if (runsOut)
            controller->toggle();
        run(remaining);
        ASSERT_EQ(store.sessions().size(), sessionsBefore + 1);
        EXPECT_EQ(store.sessions().back().duration, 1500);
        EXPECT_EQ(store.sessions().back().startDate, start);
    }
}

TEST_F(FocusControllerTest, TodaysLabels)
{
    store.addSession(FocusSession { QUuid::createUuid(), kMorning - 3600, 3599, std::nullopt, "pomodoro", true, std::nullopt });
    controller->refreshStats(false);
    EXPECT_EQ(controller->focusTodayLabel(), "59m");
    store.addSession(FocusSession { QUuid::createUuid(), kMorning - 1800, 1, std::nullopt, "pomodoro", false, std::nullopt });
    controller->refreshStats(false);
    EXPECT_EQ(controller->focusTodayLabel(), "1h 00m");
    focusSettings.setDailyGoalMinutes(120.9);
    EXPECT_EQ(controller->goalLabel(), "1h 00m / 120m");
}

} // namespace

TEST_F(FocusControllerTest, TimeAwayIsAskedAboutOnReturnAndKeptOrDroppedAsAnswered)
{
    // The user works `worked` seconds into a 1500 s block (below 0: was gone that long before it
    // began), is away `away` seconds of it (the limit is 300 s), comes back and answers a minute
    // later; then the block is stopped if it has not ended. Nothing logged reads as 0.
    struct Row {
        bool keep;
        veltrane::Seconds worked, away, logged;
        bool completed;
    };
    veltrane::Instant lastInput = 0;
    const auto watched = [&] {
        auto withIdle = services();
        withIdle.idleTime = [&] { return std::optional(clock->now() - lastInput); };
        controller = std::make_unique<FocusController>(settings, focusSettings, &store, std::move(withIdle));
    };
    focusSettings.setAwayQuestionMinutes(5);
    for (const auto& row : { Row { true, 300, 600, 960, false }, Row { false, 300, 600, 300, false },
             Row { true, 300, 1200, 1500, true }, Row { false, 300, 1200, 300, false },
             Row { false, -600, 400, 0, false } }) {
        SCOPED_TRACE(testing::Message() << row.keep << " " << row.worked << " " << row.away);
        watched();
        controller->toggle();
        lastInput = clock->now() + row.worked;
        run(std::max(0.0, row.worked) + row.away);
        EXPECT_FALSE(controller->awayNotice()) << "nothing changes until the user is back";
        EXPECT_EQ(controller->isPaused(), row.worked + row.away >= 1500) << "a block that runs out waits at its end";
        lastInput = clock->now();
        controller->tickerFired();
        EXPECT_EQ(controller->awayNotice(), (FocusController::AwayNotice { FocusController::AwayNotice::Kind::idle, row.away }));
        run(60);
        row.keep ? controller->keepAwayTime() : controller->dropAwayTime();
        EXPECT_FALSE(controller->awayNotice());
        const auto before = store.sessions();
        controller->engine().stopEarly();
        const auto& sessions = row.completed ? before : store.sessions();
        EXPECT_EQ(sessions.size() > before.size() || row.completed ? sessions.back().duration : 0, row.logged);
        EXPECT_EQ(!sessions.empty() && sessions.back().completed, row.completed);
    }
    // With the question turned off, a block runs out on time however long its user is gone.
    focusSettings.setAwayQuestionMinutes(0);
    watched();
    controller->toggle();
    run(1500);
    EXPECT_EQ(controller->phase(), SessionPhase::shortBreak);
}
