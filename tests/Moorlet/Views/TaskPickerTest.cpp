#include "Moorlet/Views/CardTexts.h"
#include "Moorlet/Views/PlainTextButton.h"
#include "Moorlet/Views/TaskListView.h"
#include "Moorlet/Views/TaskPickerPopover.h"
#include "tests/Moorlet/Views/CardTest.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <limits>

using namespace moorlet;
using Part = TaskListView::Part;

namespace {

class TaskPickerTest : public CardTest {
protected:
    TaskPickerTest() { expand(); }

    TaskPickerPopover& open()
    {
        click({ CardTarget::Kind::taskPicker });
        TaskPickerPopover* popover = root.card().taskPicker().popover();
        EXPECT_TRUE(popover && popover->isVisible());
        return *popover;
    }

    void type(TaskPickerPopover& popover, const QString& text)
    {
        QTest::keyClicks(popover.field(), text);
        QTest::keyClick(popover.field(), Qt::Key_Return);
    }

    void clickRow(TaskPickerPopover& popover, int row, Part part)
    {
        viewprobe::click(*popover.list(), popover.list()->partRect(row, part).center());
    }

    // The row of the task with this title, in the order shown.
    int rowOf(TaskPickerPopover& popover, const std::string& title)
    {
        const auto& tasks = popover.list()->tasks();
        const auto found = std::find_if(tasks.begin(), tasks.end(), [&](const auto& task) { return task.title == title; });
        return found == tasks.end() ? -1 : static_cast<int>(found - tasks.begin());
    }
};

} // namespace

TEST_F(TaskPickerTest, AnEmptyListOpensUnderItsButtonInvitesTheFirstTaskAndClosesAgain)
{
    EXPECT_EQ(root.card().taskPicker().title(), CardTexts::kNoActiveTask);
    const QRectF button = root.cardTargetRect({ CardTarget::Kind::taskPicker });
    TaskPickerPopover& popover = open();
    EXPECT_TRUE(popover.emptyText()->isVisible());
    EXPECT_FALSE(popover.clearButton()->isVisible());
    EXPECT_GT(popover.geometry().top(), root.mapToGlobal(button.bottomLeft()).y()) << "under its button";

    // Its button closes it, and so does collapsing the card.
    EXPECT_TRUE(root.card().taskPicker().isShowing());
    root.card().taskPicker().toggle({});
    EXPECT_FALSE(popover.isVisible());
    open();
    controller().setExpanded(false);
    EXPECT_FALSE(root.card().taskPicker().isShowing());
    EXPECT_FALSE(controller().suppressCollapse());
}

TEST_F(TaskPickerTest, AddingATaskMakesItTheActiveOneAndEmptiesTheField)
{
    TaskPickerPopover& popover = open();
    type(popover, QStringLiteral("  Read chapter 4 "));
    ASSERT_EQ(scene.store->tasks().size(), 1u);
    const FocusTask task = scene.store->tasks().front();
    EXPECT_EQ(task.title, "Read chapter 4");
    EXPECT_EQ(controller().activeTaskID(), task.id);
    EXPECT_EQ(controller().currentSubject(), "Read chapter 4");
    EXPECT_TRUE(popover.field()->text().isEmpty());
    EXPECT_FALSE(popover.emptyText()->isVisible());
    EXPECT_EQ(root.card().taskPicker().title(), "Read chapter 4");

    // A blank title is refused, the active task stays, and the field is emptied all the same.
    type(popover, QStringLiteral("   "));
    EXPECT_EQ(controller().activeTaskID(), task.id);
    EXPECT_TRUE(popover.field()->text().isEmpty());
}

TEST_F(TaskPickerTest, TappingARowPicksItsTaskAndTappingTheActiveOneClearsIt)
{
    TaskPickerPopover& popover = open();
    type(popover, QStringLiteral("First"));
    scene.advance(1);
    type(popover, QStringLiteral("Second"));
    ASSERT_EQ(popover.list()->tasks().size(), 2u);

    clickRow(popover, rowOf(popover, "First"), Part::row);
    EXPECT_EQ(controller().activeTaskID(), scene.store->tasks()[0].id);
    EXPECT_EQ(root.card().taskPicker().title(), "First");

    clickRow(popover, rowOf(popover, "First"), Part::row);
    EXPECT_FALSE(controller().activeTaskID().has_value());
    EXPECT_TRUE(controller().currentSubject().isEmpty());
    EXPECT_EQ(root.card().taskPicker().title(), CardTexts::kNoActiveTask);
}

TEST_F(TaskPickerTest, TheTickFlipsATaskClearCompletedRemovesTheDoneOnesAndDeleteRemovesOne)
{
    TaskPickerPopover& popover = open();
    type(popover, QStringLiteral("Keep"));
    type(popover, QStringLiteral("Finish"));
    const auto active = controller().activeTaskID();

    clickRow(popover, rowOf(popover, "Finish"), Part::tick);
    EXPECT_TRUE(scene.store->tasks()[1].done);
    EXPECT_EQ(controller().activeTaskID(), active) << "ticking is not picking";
    // The clear button appears with the first done task.
    EXPECT_TRUE(popover.clearButton()->isVisible());

    viewprobe::click(*popover.clearButton(), QPointF(10, popover.clearButton()->height() / 2.0));
    ASSERT_EQ(scene.store->tasks().size(), 1u);
    EXPECT_EQ(scene.store->tasks()[0].title, "Keep");
    EXPECT_FALSE(popover.clearButton()->isVisible());

    // The delete button removes its task only.
    type(popover, QStringLiteral("Two"));
    clickRow(popover, rowOf(popover, "Keep"), Part::remove);
    ASSERT_EQ(scene.store->tasks().size(), 1u);
    EXPECT_EQ(scene.store->tasks()[0].title, "Two");
    EXPECT_EQ(popover.list()->tasks().size(), 1u);

    clickRow(popover, 0, Part::remove);
    EXPECT_TRUE(scene.store->tasks().empty());
    EXPECT_TRUE(popover.emptyText()->isVisible());
    // The active task is gone from the list; the button no longer names it.
    EXPECT_EQ(root.card().taskPicker().title(), CardTexts::kNoActiveTask);
}

TEST(TaskTimeLabel, CountsWholeMinutesThenHoursAndMinutes)
{
    const std::vector<std::pair<double, const char*>> cases { { 59 * 60 + 59.9, "59m focused" },
        { 60 * 60, "1h 0m focused" }, { 25 * 3600 + 7 * 60, "25h 7m focused" }, { 30, "0m focused" },
        { -120, "0m focused" }, { std::numeric_limits<double>::quiet_NaN(), "0m focused" },
        { std::numeric_limits<double>::infinity(), "0m focused" } };
    for (const auto& [seconds, label] : cases)
        EXPECT_EQ(CardTexts::taskTimeLabel(seconds), label) << seconds;
}
