#include "Moorlet/Sound/AmbientController.h"
#include "Moorlet/Views/CardLayout.h"
#include "Moorlet/Views/CardTexts.h"
#include "VeltraneKit/Theme/DesignTokens.h"
#include "tests/Moorlet/TestFiles.h"
#include "tests/Moorlet/Views/CardTest.h"

#include <QSignalSpy>
#include <QWheelEvent>

#include <algorithm>

using namespace moorlet;
using Kind = CardTarget::Kind;
using Direction = AmbientView::Direction;
namespace Colors = veltrane::DesignTokens::Colors;

namespace {

class CardPartsTest : public CardTest {
protected:
    CardPartsTest()
        : CardTest(true, [this] { return chosenFiles; })
    {
    }

    QRectF rowOnWidget(CardRow row) const
    {
        return root.card().layout().rect(row).value_or(QRectF()).translated(root.cardRect().topLeft());
    }

    // Scrolls the ambient row with the wheel until the target lies clear of its faded edges (it
    // may start beyond either end of the row).
    QRectF scrollIntoView(const CardTarget& target)
    {
        const QRectF row = rowOnWidget(CardRow::ambient);
        const QRectF inCard = row.translated(-root.cardRect().topLeft());
        const AmbientView& chips = root.card().ambientView();
        const auto fade = [&](auto side) { return chips.canScroll(inCard, side) ? AmbientView::kFadeWidth : 0; };
        for (int notch = 0; notch < 80; ++notch) {
            const QRectF clear = row.adjusted(fade(Direction::back), 0, -fade(Direction::forward), 0);
            const QRectF at = root.cardTargetRect(target);
            if (clear.contains(at))
                break;
            const QPoint delta(0, at.left() < clear.left() ? 120 : -120);
            QWheelEvent wheel(row.center(), root.mapToGlobal(row.center()), {}, delta, Qt::NoButton, {},
                Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(&root, &wheel);
        }
        return root.cardTargetRect(target);
    }

    int soundIndex(const std::string& id) const
    {
        const auto& sounds = scene.ambient->sounds();
        const auto found = std::find_if(sounds.begin(), sounds.end(), [&](const auto& sound) { return sound.id == id; });
        return found == sounds.end() ? -1 : static_cast<int>(found - sounds.begin());
    }

    testsupport::TemporaryFolder downloads;
    QStringList chosenFiles;
};

} // namespace

TEST(CardTexts, DeadlineCountdownWordsAroundTodayAndTheBreakTitles)
{
    for (const auto& [days, words] : std::vector<std::pair<int, const char*>> {
             { -3, "Past due" }, { -1, "Past due" }, { 0, "Today" }, { 1, "Tomorrow" }, { 2, "in 2 days" } })
        EXPECT_EQ(CardTexts::deadlineCountdown(days), words) << days;
    // The card spells out the break the tile calls just "Break".
    EXPECT_EQ(CardTexts::cardPhaseTitle(SessionPhase::shortBreak), "Short break");
    EXPECT_EQ(CardTexts::cardPhaseTitle(SessionPhase::longBreak), "Long break");
}

TEST_F(CardPartsTest, TheExamRowCountsCalendarDaysAndTurnsUrgentUnderFourDays)
{
    // Due tomorrow morning, less than a day away: still "Tomorrow", and urgent.
    scene.store->addDeadline("Chemistry", scene.clock->now() + 20 * 3600);
    expand();
    ASSERT_TRUE(root.card().layout().rect(CardRow::exam));
    const QRectF exam = rowOnWidget(CardRow::exam);
    // The countdown is red, and a red that reads on the row (the light card once painted the pale
    // alert red at 2.6:1).
    const QImage image = root.renderToImage(2);
    const QColor row = viewprobe::pixel(image, exam.topLeft() + QPointF(3, exam.height() / 2));
    QColor reddest = row;
    viewprobe::eachPixel(image, exam, [&](const QColor& color) {
        if (color.red() - std::max(color.green(), color.blue()) > reddest.red() - std::max(reddest.green(), reddest.blue()))
            reddest = color;
    });
    EXPECT_GT(reddest.red() - std::max(reddest.green(), reddest.blue()), 60);
    EXPECT_GE(veltrane::ColorContrast::ratio(reddest, row), 4) << "text pixels blend into the row at their edges";

    scene.store->deleteDeadline(scene.store->deadlines().front());
    EXPECT_FALSE(root.card().layout().rect(CardRow::exam));
    scene.store->addDeadline("Chemistry", scene.clock->now() + 10 * 86400);
    scene.settle();
    EXPECT_GT(viewprobe::closest(root.renderToImage(2), rowOnWidget(CardRow::exam), Colors::alert()), 60);
}

namespace {

// Two looks, one a side: a pale accent on the light card, a dark wash under the dark one.
const std::pair<const char*, veltrane::AppearancePreference> kLooks[] = {
    { "sakura", veltrane::AppearancePreference::light },
    { "graphite", veltrane::AppearancePreference::dark },
};

} // namespace

TEST_F(CardPartsTest, TheInsightRowAppearsWithTheBestHour)
{
    QSignalSpy heights(&root, &WidgetRootView::expandedHeightChanged);
    expand();
    EXPECT_FALSE(root.card().layout().rect(CardRow::insight));
    scene.logFocus(1500);
    ASSERT_TRUE(controller().bestHourLabel());
    EXPECT_TRUE(root.card().layout().rect(CardRow::insight));
    ASSERT_EQ(heights.count(), 1);
    EXPECT_EQ(heights.front().front().toDouble(), root.expandedHeight());
}

TEST_F(CardPartsTest, SoundChipsSwitchSoundsAndTintTheCard)
{
    expand();
    const int rain = soundIndex("rain");
    ASSERT_GE(rain, 0);
    ASSERT_TRUE(rowOnWidget(CardRow::ambient).contains(scrollIntoView({ Kind::soundChip, rain }).center()));
    EXPECT_GT(root.card().ambientView().scrollOffset(), 0);

    click({ Kind::soundChip, rain });
    EXPECT_TRUE(scene.ambient->isActive("rain"));
    scene.settle(1);
    const QColor rainTint = *AmbientController::tint(scene.ambient->sounds()[static_cast<std::size_t>(rain)]);
    EXPECT_EQ(root.card().aura().tint(), rainTint);

    click({ Kind::soundChip, rain });
    EXPECT_FALSE(scene.ambient->isActive("rain"));
}

TEST_F(CardPartsTest, TheChipsFollowADragAndTheirArrowsPageThem)
{
    expand();
    AmbientView& chips = root.card().ambientView();
    const QRectF row = rowOnWidget(CardRow::ambient).translated(-root.cardRect().topLeft());
    EXPECT_TRUE(chips.canScroll(row, Direction::forward));
    EXPECT_FALSE(chips.canScroll(row, Direction::back));

    // Dragged 60 points to the left the chips follow the pointer; the chip pressed stays off.
    const QPointF start = root.cardTargetRect({ Kind::soundChip, 1 }).center();
    QTest::mousePress(&root, Qt::LeftButton, {}, start.toPoint());
    for (int step = 1; step <= 6; ++step)
        QTest::mouseMove(&root, (start - QPointF(10 * step, 0)).toPoint());
    QTest::mouseRelease(&root, Qt::LeftButton, {}, (start - QPointF(60, 0)).toPoint());
    EXPECT_NEAR(chips.scrollOffset(), 60, 1);
    EXPECT_TRUE(scene.ambient->activeIDs().empty());

    // The arrows page the row, and each shows only while there is more that way.
    click({ Kind::chipsForward });
    scene.settle();
    EXPECT_GT(chips.scrollOffset(), 60 + 120);
    for (const auto& [arrow, direction] : { std::pair { Kind::chipsForward, Direction::forward },
             { Kind::chipsBack, Direction::back } }) {
        for (int page = 0; page < 10 && chips.canScroll(row, direction); ++page) {
            const double before = chips.scrollOffset();
            click({ arrow });
            scene.settle();
            EXPECT_GT(std::abs(chips.scrollOffset() - before), 0);
        }
        EXPECT_FALSE(chips.canScroll(row, direction));
    }
    EXPECT_EQ(chips.scrollOffset(), 0);
}

TEST_F(CardPartsTest, ThePlayButtonTheQuickStartsAndAPlayingSoundsChipReadInALightAndADarkLook)
{
    expand();
    // The card as it looks over a desktop of the window's colour.
    const auto render = [&](qreal scale) {
        return viewprobe::onDesktop(root.renderToImage(scale), root.palette().color(QPalette::Window));
    };
    const auto& sounds = scene.ambient->sounds();
    for (const auto& [theme, appearance] : kLooks) {
        SCOPED_TRACE(theme);
        scene.settings->setAccentThemeID(QString::fromLatin1(theme));
        scene.settings->setAppearance(appearance);
        // The play symbol on its disc, the first quick start's number on its chip.
        for (const SessionPhase phase : { SessionPhase::idle, SessionPhase::focusing, SessionPhase::shortBreak }) {
            SCOPED_TRACE(static_cast<int>(phase));
            resetSession();
            scene.enterPhase(phase);
            scene.settle();
            const QImage image = render(2);
            const QRectF primary = root.cardTargetRect({ Kind::primary });
            const QColor disc = viewprobe::pixel(image, primary.center() + QPointF(0, 20));
            EXPECT_GE(viewprobe::strongestContrast(image, primary.adjusted(18, 18, -18, -18), disc), 3);
            const QRectF chip = root.cardTargetRect({ Kind::quickStart, 0 });
            const QColor chipFill = viewprobe::pixel(image, QPointF(chip.left() + 6, chip.center().y()));
            EXPECT_GE(viewprobe::strongestContrast(image, chip.adjusted(20, 8, -20, -8), chipFill), 3);
        }
        // A playing sound's chip against the card, its symbol and name against its fill.
        for (std::size_t i = 0; i < sounds.size(); ++i) {
            SCOPED_TRACE(sounds[i].id);
            scene.ambient->toggle(sounds[i]);
            const QRectF chip = scrollIntoView({ Kind::soundChip, static_cast<int>(i) });
            scene.settle(1);
            const QImage image = render(1);
            const QColor fill = viewprobe::pixel(image, QPointF(chip.right() - 6, chip.center().y()));
            const QColor card = viewprobe::pixel(image, QPointF(chip.center().x(), chip.top() - 6));
            EXPECT_GE(veltrane::ColorContrast::ratio(fill, card), 3);
            EXPECT_GE(viewprobe::strongestContrast(image, chip.adjusted(12, 6, -12, -6), fill), 3);
            scene.ambient->toggle(sounds[i]);
        }
    }
}

TEST_F(CardPartsTest, TheImportChipAddsTheChosenFilesAsChipsOfTheirOwn)
{
    chosenFiles = { downloads.filePath(QStringLiteral("Cafe.mp3")) };
    ASSERT_TRUE(veltrane::testing::writeBytes(chosenFiles[0], "not really audio"));
    expand();
    const int before = static_cast<int>(scene.ambient->sounds().size());
    EXPECT_FALSE(root.card().ambientView().userSound(0));

    viewprobe::click(root, scrollIntoView({ Kind::importSounds }).center());
    ASSERT_EQ(static_cast<int>(scene.ambient->sounds().size()), before + 1);
    const auto imported = root.card().ambientView().userSound(before);
    ASSERT_TRUE(imported);
    EXPECT_EQ(imported->second, "Cafe");
}

TEST_F(CardPartsTest, DraggingTheLevelSetsTheMasterVolume)
{
    expand();
    const QRectF slider = root.cardTargetRect({ Kind::volume });
    const QPointF quarter(slider.left() + slider.width() / 4, slider.center().y());
    QTest::mousePress(&root, Qt::LeftButton, {}, quarter.toPoint());
    EXPECT_NEAR(scene.settings->masterVolume(), 0.25, 0.01);
    QTest::mouseMove(&root, QPointF(slider.right() + 30, slider.center().y()).toPoint());
    QTest::mouseRelease(&root, Qt::LeftButton, {}, QPointF(slider.right() + 30, slider.center().y()).toPoint());
    EXPECT_EQ(scene.settings->masterVolume(), 1.0);
}

TEST_F(CardPartsTest, TheLockNoticeCoversTheRowsUnderTheControlsAndTheAwayButtonsAnswer)
{
    expand();
    controller().toggle();
    controller().handleScreenLock();
    scene.clock->advance(720);
    controller().handleScreenUnlock();
    const QRectF resume = root.cardTargetRect({ Kind::awayResume });
    ASSERT_TRUE(rowOnWidget(CardRow::quickStart).united(rowOnWidget(CardRow::taskPicker)).contains(resume));
    const QPointF inCard = resume.center() - root.cardRect().topLeft();
    EXPECT_EQ(root.card().hitTest(inCard), CardTarget { Kind::awayResume }) << "not the task picker under it";
    viewprobe::click(root, resume.center());
    EXPECT_TRUE(controller().isRunning());
    EXPECT_FALSE(controller().awayNotice());
    EXPECT_NE(root.card().hitTest(inCard), CardTarget { Kind::awayResume });

    // Ten minutes without input, then input again: "Drop" takes the time away off the block.
    scene.idleTime = 600;
    scene.run(1);
    scene.idleTime = 0;
    scene.run(1);
    ASSERT_TRUE(controller().awayNotice());
    click({ Kind::awayDrop });
    EXPECT_FALSE(controller().awayNotice());
    EXPECT_TRUE(controller().isPaused());
}
