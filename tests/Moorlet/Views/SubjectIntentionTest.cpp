#include "Moorlet/Views/CardTexts.h"
#include "Moorlet/Views/IntentionPopover.h"
#include "Moorlet/Views/SubjectListView.h"
#include "Moorlet/Views/SubjectPickerPopover.h"
#include "tests/Moorlet/Views/CardTest.h"

#include <QLineEdit>

using namespace moorlet;
using Kind = CardTarget::Kind;

namespace {

class SubjectIntentionTest : public CardTest {
protected:
    SubjectIntentionTest() { expand(); }

    SubjectIntentionRow& row() { return root.card().subjectIntention(); }
    IntentionPopover* intention() { return row().intentionPopover(); }
    bool prompting() { return intention() && intention()->isVisible(); }

    void type(QLineEdit* field, const QString& text, Qt::Key end = Qt::Key_Return)
    {
        QTest::keyClicks(field, text);
        QTest::keyClick(field, end);
    }

    std::vector<QString> menuTitles()
    {
        click({ Kind::subject });
        std::vector<QString> titles;
        for (const auto& entry : row().subjectPopover()->list()->entries())
            titles.push_back(entry.title);
        row().subjectMenu().setShowing(false);
        return titles;
    }
};

} // namespace

TEST_F(SubjectIntentionTest, ASubjectAndAnIntentionChosenInTheCardReachTheControllerTrimmed)
{
    click({ Kind::subject });
    SubjectPickerPopover* menu = row().subjectPopover();
    ASSERT_TRUE(menu && menu->isVisible());
    EXPECT_TRUE(controller().suppressCollapse());
    type(menu->field(), QStringLiteral("  Thesis "));
    EXPECT_TRUE(scene.focusSettings->subjects().contains(QStringLiteral("Thesis")));
    EXPECT_EQ(row().subjectTitle(), "Thesis");
    EXPECT_FALSE(menu->isVisible());

    click({ Kind::primary });
    EXPECT_EQ(controller().phase(), SessionPhase::focusing);
    ASSERT_TRUE(prompting());
    EXPECT_TRUE(controller().suppressCollapse());
    type(intention()->field(), QStringLiteral("Draft the methods section "));
    EXPECT_FALSE(prompting());
    EXPECT_EQ(row().intentionText(), "Draft the methods section");
    EXPECT_EQ(controller().currentSubject(), "Thesis");
}

TEST_F(SubjectIntentionTest, TheIntentionIsAskedOnlyWhenFocusStartsFromTheCardAndNeverHoldsTheTimer)
{
    struct Case {
        const char* name;
        bool promptEnabled;
        std::function<void()> start;
        bool asks;
    };
    const std::vector<Case> cases {
        { "play", true, [this] { click({ Kind::primary }); }, true },
        { "quick start", true, [this] { click({ Kind::quickStart, 1 }); }, true },
        { "prompt off", false, [this] { click({ Kind::primary }); }, false },
        { "hot key", true, [this] { controller().toggle(); }, false },
        { "resume", true, [this] {
             controller().toggle();
             controller().toggle();
             click({ Kind::primary });
         }, false },
    };
    for (const Case& item : cases) {
        resetSession();
        scene.focusSettings->setIntentionPromptEnabled(item.promptEnabled);
        item.start();
        EXPECT_EQ(prompting(), item.asks) << item.name;
        EXPECT_TRUE(controller().isRunning()) << item.name;
        row().intentionField().setShowing(false);
    }

    // Escape skips: the block runs on with the intention it had.
    controller().setIntention(QStringLiteral("Earlier"));
    resetSession();
    click({ Kind::primary });
    EXPECT_EQ(intention()->field()->selectedText(), "Earlier");
    type(intention()->field(), QStringLiteral("Other"), Qt::Key_Escape);
    EXPECT_FALSE(prompting());
    EXPECT_FALSE(controller().suppressCollapse());
    EXPECT_EQ(controller().intention(), "Earlier");

    // The line edits it; an emptied field clears it.
    click({ Kind::intention });
    ASSERT_TRUE(prompting());
    intention()->field()->clear();
    QTest::keyClick(intention()->field(), Qt::Key_Return);
    EXPECT_TRUE(controller().intention().isEmpty());
    EXPECT_EQ(row().intentionText(), CardTexts::kNoIntention);
}

TEST_F(SubjectIntentionTest, TheMenuOffersNoSubjectOnlyWithoutADefaultAndShowsATasksTitle)
{
    const std::vector<QString> subjects { "Study", "Work", "Reading", "Writing" };
    EXPECT_EQ(row().subjectTitle(), CardTexts::kNoSubject);
    auto expected = subjects;
    expected.insert(expected.begin(), CardTexts::kNoSubject);
    EXPECT_EQ(menuTitles(), expected);

    scene.focusSettings->setDefaultSubject(QStringLiteral("Work"));
    EXPECT_EQ(row().subjectTitle(), "Work");
    EXPECT_EQ(menuTitles(), subjects);

    // A task tags the blocks with its title; choosing a subject afterwards keeps the task.
    const auto task = scene.store->addTask("Problem set 3");
    controller().setActiveTask(*task);
    EXPECT_EQ(row().subjectTitle(), "Problem set 3");
    expected = subjects;
    expected.insert(expected.begin(), QStringLiteral("Problem set 3"));
    EXPECT_EQ(menuTitles(), expected);
    click({ Kind::subject });
    SubjectListView* list = row().subjectPopover()->list();
    viewprobe::click(*list, list->rowRect(4).center());
    EXPECT_EQ(controller().currentSubject(), "Writing");
    EXPECT_EQ(controller().activeTaskID(), task->id);
}
