#pragma once

#include "Moorlet/Views/ExpandedCardView.h"
#include "tests/Moorlet/Views/ViewProbe.h"
#include "tests/Moorlet/Views/WidgetScene.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>

// The widget on the test scene, shown, for the tests that drive it through its card's targets.
// With `ambient` the scene has an ambient controller, its sounds in a folder of the test's own,
// and `chooseFiles` answering its file chooser.
class CardTest : public ::testing::Test {
protected:
    explicit CardTest(bool ambient = false, std::function<QStringList()> chooseFiles = {})
        : scene({ .soundsFolder = ambient ? sounds.path() : QString(), .chooseFiles = std::move(chooseFiles),
              .applicationsFolder = {}, .dataFolder = {} })
        , root(scene.makeRoot())
    {
        root.show();
    }

    moorlet::FocusController& controller() { return *scene.controller; }

    void expand()
    {
        scene.expand();
        scene.settle();
    }

    void collapse()
    {
        controller().setExpanded(false);
        scene.settle();
    }

    // Back to idle, as the card's reset button does.
    void resetSession()
    {
        controller().engine().reset();
        controller().sync();
    }

    void click(const moorlet::CardTarget& target) { viewprobe::click(root, root.cardTargetRect(target).center()); }

    testsupport::TemporaryFolder sounds;
    moorlet::WidgetScene scene;
    moorlet::WidgetRootView& root;
};
