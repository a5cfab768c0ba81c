#include "MoorletCore/FocusSessionEngine.h"

#include <gtest/gtest.h>

#include <vector>

using namespace moorlet;
using veltrane::TestClock;

namespace {

constexpr veltrane::Instant kStart = 1'700'000'000;

class FocusSessionEngineTest : public ::testing::Test {
protected:
    // Builds the engine under test as the application does (the next phase starts by itself, blocks
    // from a minute on are logged) and records everything it reports.
    FocusSessionEngine& make(SessionMode mode)
    {
        engine = std::make_unique<FocusSessionEngine>(mode, true, 60, clock);
        engine->onFocusPhaseEnded = [this](const CompletedFocusPhase& phase) {
            reports.push_back(phase);
            // The report arrives before the phase moves on.
            phaseAtReport.push_back(engine->phase());
        };
        engine->onPhaseChange = [this](SessionPhase phase) { phases.push_back(phase); };
        return *engine;
    }

    // Advances the clock by the given time and ticks once.
    void run(veltrane::Seconds seconds)
    {
        clock->advance(seconds);
        engine->tick();
    }

    std::pair<SessionPhase, veltrane::Seconds> phaseAndRemaining() const { return { engine->phase(), engine->remaining() }; }

    std::shared_ptr<TestClock> clock = std::make_shared<TestClock>(kStart);
    std::unique_ptr<FocusSessionEngine> engine;
    std::vector<CompletedFocusPhase> reports;
    std::vector<SessionPhase> phaseAtReport;
    std::vector<SessionPhase> phases;
};

} // namespace

TEST_F(FocusSessionEngineTest, EachBlockIsReportedThenABreakBeginsAndFourMakeACycle)
{
    auto& session = make(SessionMode::pomodoro());
    session.start();
    EXPECT_EQ(phases, std::vector { SessionPhase::focusing });
    run(750);
    EXPECT_EQ(session.progress(), 0.5);
    EXPECT_TRUE(reports.empty());
    run(750);
    EXPECT_EQ(reports, std::vector { CompletedFocusPhase(kStart, 1500, true, "pomodoro") });
    EXPECT_EQ(phaseAtReport[0], SessionPhase::focusing);
    EXPECT_EQ(phaseAndRemaining(), std::pair(SessionPhase::shortBreak, 300.0));
    EXPECT_TRUE(session.isRunning());
    EXPECT_EQ(session.completedFocusCount(), 1);

    std::vector<SessionPhase> breaks { session.phase() };
    run(300);
    for (int block = 2; block <= 4; ++block) {
        ASSERT_EQ(session.phase(), SessionPhase::focusing);
        run(1500);
        breaks.push_back(session.phase());
        EXPECT_EQ(session.completedFocusCount(), block);
        run(session.phase() == SessionPhase::longBreak ? 900 : 300);
    }
    EXPECT_EQ(breaks,
        (std::vector { SessionPhase::shortBreak, SessionPhase::shortBreak, SessionPhase::shortBreak,
            SessionPhase::longBreak }));
    EXPECT_EQ(session.completedFocusCount(), 0);
    EXPECT_EQ(session.phase(), SessionPhase::focusing);
    EXPECT_EQ(reports.size(), 4u);
    // Each report's start is when its own block began: block two started after one focus and one break.
    EXPECT_EQ(reports[1].startDate, kStart + 1800);
}

TEST_F(FocusSessionEngineTest, SkippedBlocksAreReportedOnlyFromTheThreshold)
{
    auto& session = make(SessionMode::pomodoro());
    session.start();
    clock->advance(30);
    session.skip();
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(session.completedFocusCount(), 1);
    EXPECT_EQ(session.phase(), SessionPhase::shortBreak);

    session.skip(); // the break gives way to the next block
    EXPECT_EQ(session.phase(), SessionPhase::focusing);
    const auto secondStart = clock->now();
    clock->advance(60); // exactly the threshold counts
    session.skip();
    EXPECT_EQ(reports, std::vector { CompletedFocusPhase(secondStart, 60, false, "pomodoro") });
    EXPECT_EQ(session.completedFocusCount(), 2);
}

TEST_F(FocusSessionEngineTest, StoppingEarlyReportsLongBlocksAndStartsOverButResetReportsNothing)
{
    auto& session = make(SessionMode::pomodoro());
    session.start();
    clock->advance(600);
    session.reset();
    EXPECT_EQ(phases, (std::vector { SessionPhase::focusing, SessionPhase::idle }));
    EXPECT_TRUE(reports.empty());

    session.start();
    run(1500); // one block done
    session.skip();
    clock->advance(45);
    session.stopEarly();
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_EQ(session.phase(), SessionPhase::idle);
    EXPECT_EQ(session.completedFocusCount(), 0);
    EXPECT_EQ(session.remaining(), 0);

    session.start();
    const auto start = clock->now();
    clock->advance(600);
    session.stopEarly();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[1], CompletedFocusPhase(start, 600, false, "pomodoro"));

    // Stopping during a break reports nothing.
    session.start();
    run(1500);
    session.stopEarly();
    EXPECT_EQ(reports.size(), 3u);
    EXPECT_EQ(session.phase(), SessionPhase::idle);
}

TEST_F(FocusSessionEngineTest, FlowmodoroCountsUpAndEarnsItsBreak)
{
    auto& session = make(SessionMode::flowmodoro());
    session.start();
    run(1500);
    EXPECT_EQ(session.elapsed(), 1500);
    EXPECT_EQ(session.progress(), 0);
    EXPECT_TRUE(reports.empty());
    session.skip();
    EXPECT_EQ(reports, std::vector { CompletedFocusPhase(kStart, 1500, true, "flowmodoro") });
    EXPECT_EQ(phaseAndRemaining(), std::pair(SessionPhase::shortBreak, 300.0));
    run(300);
    EXPECT_EQ(session.phase(), SessionPhase::focusing);

    // Even a short block ended by skipping counts as completed and earns the minimum break.
    run(20);
    session.skip();
    EXPECT_TRUE(reports.back().completed);
    EXPECT_EQ(reports.back().duration, 20);
    EXPECT_EQ(session.remaining(), 60);
    // Flowmodoro has no long break, however many blocks pass.
    EXPECT_EQ(session.phase(), SessionPhase::shortBreak);
}

TEST_F(FocusSessionEngineTest, UntilTimeCountsDownToTheTargetThenEnds)
{
    auto& session = make(SessionMode::untilTime(kStart + 3600));
    session.start();
    EXPECT_EQ(session.remaining(), 3600);
    run(3599);
    EXPECT_TRUE(reports.empty());
    run(1);
    EXPECT_EQ(reports, std::vector { CompletedFocusPhase(kStart, 3600, true, "untilTime") });
    EXPECT_EQ(phases, (std::vector { SessionPhase::focusing, SessionPhase::idle }));

    // Skipped early it is cut short.
    make(SessionMode::untilTime(clock->now() + 3600)).start();
    clock->advance(100);
    engine->skip();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_FALSE(reports[1].completed);
    EXPECT_EQ(engine->phase(), SessionPhase::idle);

    // A target already past gives an empty completed block at the next tick.
    make(SessionMode::untilTime(clock->now() - 600)).start();
    EXPECT_EQ(phaseAndRemaining(), std::pair(SessionPhase::focusing, 0.0));
    engine->tick();
    EXPECT_EQ(reports.back(), CompletedFocusPhase(clock->now(), 0, true, "untilTime"));
    EXPECT_EQ(engine->phase(), SessionPhase::idle);
}

TEST_F(FocusSessionEngineTest, PausingAsOfAnEarlierInstantGivesBackExactlyTheTimeSince)
{
    // Each row: a 1500 s block, paused for `pausedFor` at 100 s, then run on until `at` seconds
    // have counted, when it is taken back as of `asOf` seconds after its start. Then it stops.
    struct Row {
        const char* name;
        SessionMode mode;
        veltrane::Seconds pausedFor, at, asOf, elapsed, takenBack;
        bool logged;
    };
    const auto flow = SessionMode::flowmodoro();
    for (const auto& row : std::vector<Row> {
             { "countdown", SessionMode::pomodoro(), 0, 900, 300, 300, 600, true },
             { "count-up", flow, 0, 900, 300, 300, 600, true },
             { "before the start clamps to it", flow, 0, 900, -50, 0, 900, false },
             { "not into an earlier pause", SessionMode::pomodoro(), 500, 900, 200, 100, 800, true },
         }) {
        SCOPED_TRACE(row.name);
        reports.clear();
        clock->set(kStart);
        auto& session = make(row.mode);
        session.start();
        run(100);
        if (row.pausedFor > 0) {
            session.pause();
            run(row.pausedFor);
            session.resume();
        }
        clock->set(kStart + row.pausedFor + row.at);
        EXPECT_EQ(session.pauseAsOf(kStart + row.asOf), row.takenBack);
        EXPECT_TRUE(session.isPaused() || row.takenBack == 0);
        run(600);
        EXPECT_EQ(session.elapsed(), row.elapsed);
        EXPECT_EQ(session.remaining(), row.mode.isFlowmodoro() ? 0 : 1500 - row.elapsed);
        // A count-up ends by skipping, which completes it: a block taken back below the threshold
        // is still not logged.
        row.mode.isFlowmodoro() ? session.skip() : session.stopEarly();
        EXPECT_EQ(reports.size(), row.logged ? 1u : 0u);
        EXPECT_EQ(reports.empty() ? -1 : reports.front().duration, row.logged ? row.elapsed : -1);
    }
}
