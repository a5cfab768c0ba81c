#include "Moorlet/Data/InsightsExport.h"
#include "Moorlet/Insights/InsightsWindow.h"
#include "Moorlet/Recap/RecapData.h"
#include "VeltraneKit/Settings/SettingsStore.h"
#include "tests/Moorlet/Insights/FocusHistory.h"
#include "tests/Moorlet/TestFiles.h"
#include "tests/Moorlet/Views/ViewProbe.h"
#include "tests/Moorlet/Views/WidgetScene.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>

using namespace moorlet;
using Kind = InsightsTarget::Kind;

TEST(InsightsFiguresTest, BadgesLabelsAndActivityShades)
{
    const struct {
        std::optional<double> delta;
        std::optional<DeltaBadge> badge;
    } deltas[] = {
        { 0.5, DeltaBadge { true, "50%" } },
        { 0, DeltaBadge { true, "0%" } },
        { -0.237, DeltaBadge { false, "23%" } },
        // A previous period without focus has nothing to compare with.
        { std::nullopt, std::nullopt },
    };
    for (const auto& [delta, badge] : deltas)
        EXPECT_EQ(deltaBadge(delta), badge) << delta.value_or(-99);

    EXPECT_EQ(durationLabel(3599), "59m");
    EXPECT_EQ(durationLabel(3600), "1h 0m");
    EXPECT_EQ(durationLabel(5 * 3600 + 7 * 60 + 59), "5h 7m");

    const double goal = 3600;
    for (const auto& [seconds, opacity] : { std::pair { 0.0, kEmptyActivityOpacity }, { goal / 2, 0.6 }, { goal, 1.0 },
             { 3 * goal, 1.0 } })
        EXPECT_DOUBLE_EQ(activityOpacity(seconds, goal), opacity) << seconds;
}

namespace {

class InsightsWindowTest : public ::testing::Test {
protected:
    InsightsWindowTest()
    {
        for (const auto& session : focushistory::make(scene.clock->now(), 150, 600))
            scene.store->addSession(session);
        window = std::make_unique<InsightsWindow>(*scene.store, *scene.focusSettings, *scene.settings, kAccent,
            AnalyticsEngine(veltrane::Calendar::utc()),
            ViewEnvironment { scene.ticker.get(), scene.scheduler, scene.clock, nullptr },
            InsightsWindow::Services { [this](QWidget*) { return chosenFile; },
                [this](QWidget*, const QString& text) { failures << text; },
                [this](const RecapData& data) { shared.push_back(data); } });
        window->showInsights();
    }

    InsightsView& view() { return window->view(); }
    void click(const QRectF& area) { viewprobe::click(view(), area.center()); }

    const QColor kAccent { 0x6E, 0x6C, 0xFF };
    WidgetScene scene;
    std::unique_ptr<InsightsWindow> window;
    std::optional<std::filesystem::path> chosenFile;
    QStringList failures;
    std::vector<RecapData> shared;
};

} // namespace

TEST_F(InsightsWindowTest, FiguresFollowTheRangeTheStoreAndTheTopFiveSubjects)
{
    click(view().layout().pickerSegment(1));
    EXPECT_EQ(view().rangeDays(), 30);
    EXPECT_EQ(view().figures().days.size(), 30u);

    // Six subjects and untagged focus: the five largest stay, and a new session shows at once.
    EXPECT_EQ(view().figures().subjects.size(), 5u);
    scene.store->addSession(FocusSession { QUuid::createUuid(), scene.clock->now() - 60, 400 * 3600.0, std::nullopt, "pomodoro", true, std::nullopt });
    EXPECT_EQ(view().figures().subjects.front().subject, "Unlabeled");
    // One subject over the five is left off too.
    std::vector<FocusRecord> six;
    for (const char* subject : { "A", "B", "C", "D", "E", "F" })
        six.emplace_back(WidgetScene::kStart - 3600, 600, true, subject);
    EXPECT_EQ(InsightsFigures::compute(AnalyticsEngine(veltrane::Calendar::utc()), six, 7, WidgetScene::kStart, 60).subjects.size(), 5u);

    // The recap of the range goes to the share window.
    click(view().layout().shareButton());
    ASSERT_EQ(shared.size(), 1u);
    EXPECT_EQ(shared[0].period, "This month");
    EXPECT_EQ(shared[0].bars.size(), 7u);
    EXPECT_TRUE(shared[0].bars.back().isToday);
}

TEST_F(InsightsWindowTest, ExportWritesTheLogOrSaysItCouldNot)
{
    testsupport::TemporaryFolder folder;
    chosenFile = std::filesystem::path(folder.stdPath()) / "log.csv";
    click(view().layout().exportButton());
    EXPECT_EQ(veltrane::testing::readBytes(QString::fromStdString(chosenFile->string())).toStdString(),
        InsightsExport::csv(scene.store->sessions()));
    EXPECT_TRUE(failures.isEmpty());

    // A folder that cannot hold files (its "folder" is a file): one sentence, nothing left behind.
    ASSERT_TRUE(veltrane::testing::writeBytes(folder.filePath("plain"), "x"));
    chosenFile = std::filesystem::path(folder.stdPath()) / "plain" / "log.csv";
    click(view().layout().exportButton());
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains("log.csv"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList({ "log.csv", "plain" }));
}

TEST_F(InsightsWindowTest, HoverNamesTheDayAndTheActivityTilesShowTheGoal)
{
    const InsightsLayout layout = view().layout();
    // Hovering a bar and a tile names the day; the hit test finds both.
    const QPointF bar = layout.daySlot(6).center();
    EXPECT_EQ(layout.hitTest(bar), (InsightsTarget { Kind::dayBar, 6 }));
    QTest::mouseMove(&view(), bar.toPoint());
    EXPECT_EQ(view().hoveredDay(), 6);
    EXPECT_TRUE(view().dayHoverText().startsWith("Tuesday, 10 March · ")) << view().dayHoverText().toStdString();
    // (Far down the scrolled column, where a moved pointer would not reach offscreen.)
    view().setHovered(layout.hitTest(layout.activityTile(111).center()));
    EXPECT_TRUE(view().activityHoverText().startsWith("Tue 10 Mar · "));

    // A day that reached the one-hour goal is full accent and a day short of it is not; the
    // hovered tile is drawn larger, so probe others.
    const QImage image = window->renderContent();
    const auto& activity = view().figures().activity;
    for (const bool reached : { true, false }) {
        const auto day = std::find_if(activity.begin(), activity.begin() + 110,
            [&](const auto& total) { return total.seconds > 0 && (total.seconds >= 3600) == reached; });
        ASSERT_NE(day, activity.begin() + 110);
        const QPointF tile = layout.activityTile(static_cast<int>(day - activity.begin())).center();
        EXPECT_EQ(viewprobe::distance(viewprobe::pixel(image, tile), kAccent) <= 2, reached);
    }
}
