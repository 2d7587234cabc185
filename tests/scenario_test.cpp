// The order of events inside the core, which the expected screens do not
// show: the nested Clicks of Load, a program-set Value's nested Click, when
// the observers hear of a user action's changes, and the clicks that are not
// the user's: a toolkit's echo of the program's own change, and a click on a
// hidden control.

#include "app/project.hpp"
#include "runtime/start.hpp"
#include "support/driven_layer.hpp"
#include "support/event_log.hpp"
#include "support/screens.hpp"

#include <gtest/gtest.h>

namespace {

using namespace temperament;
using runtime::Continuation;
using test_support::DrivenLayer;
using ui::MainForm;
using ui::UserActions;

// The log holds the changes the layer is told of; setting a property to the
// value it has is no change.
TEST(StartUp, LoadRunsThreeNestedClicksInsideTheValueAssignments) {
    test_support::EventLog log;
    DrivenLayer layer;
    ASSERT_EQ(runtime::run(log.wrap(app::describeProject()), layer), 0);
    const std::vector<std::string> expected = {
        "Form_Load {",
        "Picture1.Visible = false",
        "Check1(0).Value = 1",
        "Check1_Click(0) {",  // the caption "Силен" is already the design's
        "Check1(1).Visible = true",
        "}",
        "Check1(1).Visible = false",
        "Check1(1).Value = 1",
        "Check1_Click(1) {",
        "Check1(2).Visible = true",
        "}",
        "Check1(2).Visible = false",
        "Check1(2).Value = 1",
        "Check1_Click(2) {",
        "Check1(2).Caption = подвижен",
        "}",
        "}",
    };
    EXPECT_EQ(log.entries, expected);
}

TEST(ControlModel, AProgramSetValueRunsClickBeforeReturningAndTheSameValueRunsNothing) {
    test_support::EventLog log;
    DrivenLayer layer([&](MainForm& form, UserActions&) {
        log.entries.clear();
        form.Check1().Item(2).Value(ui::CheckBox::Checked);  // already checked
        EXPECT_TRUE(log.entries.empty());
        form.Check1().Item(2).Value(ui::CheckBox::Unchecked);
        log.note("returned");
        form.Check1().Item(2).Value(ui::CheckBox::Grayed);
    });
    ASSERT_EQ(runtime::run(log.wrap(app::describeProject()), layer), 0);
    const std::vector<std::string> expected = {
        "Check1(2).Value = 0",
        "Check1_Click(2) {",
        "Check1(2).Caption = бавен",
        "}",
        "returned",
        "Check1(2).Value = 2",
        "Check1_Click(2) {",
        "}",  // grayed counts as not checked: still "бавен"
    };
    EXPECT_EQ(log.entries, expected);
}

TEST(UserActions, TheObserversHearOfEachChangeOnceWhenTheHandlersAreDone) {
    test_support::EventLog log;
    const std::string pavlov = std::to_string(test_support::classificationTexts(TEMPERAMENT_SCREENS)[2].size());
    const std::string hippocrates = std::to_string(test_support::classificationTexts(TEMPERAMENT_SCREENS)[0].size());
    DrivenLayer layer([&](MainForm& form, UserActions& user) {
        log.entries.clear();
        EXPECT_EQ(user.clicked(form.Option1().Item(2)), Continuation::Running);
        log.note("returned");
        EXPECT_EQ(user.clicked(form.Option1().Item(0)), Continuation::Running);
        log.note("returned");
        // The picture hidden and shown again, the text rebuilt: each told once, as it ends.
        EXPECT_EQ(user.clicked(form.Option1().Item(0)), Continuation::Running);
    });
    ASSERT_EQ(runtime::run(log.wrap(app::describeProject()), layer), 0);
    const std::vector<std::string> expected = {
        "Option1_Click(2) {",
        "}",
        "Option1(2).Value = true",
        "Text1(0).Text = <" + pavlov + " bytes>",
        "Check1(0).Visible = true",
        "Check1(1).Visible = true",
        "Check1(2).Visible = true",
        "returned",
        "Option1_Click(0) {",
        "}",
        "Option1(2).Value = false",
        "Option1(0).Value = true",
        "Text1(0).Text = <" + hippocrates + " bytes>",
        "Picture1.Visible = true",
        "Check1(0).Visible = false",
        "Check1(1).Visible = false",
        "Check1(2).Visible = false",
        "returned",
        "Option1_Click(0) {",
        "}",
        "Picture1.Visible = true",
        "Text1(0).Text = <" + hippocrates + " bytes>",
    };
    EXPECT_EQ(log.entries, expected);
}

TEST(UserActions, AClickThatIsNotTheUsersRaisesNothing) {
    std::vector<std::string> clicks;
    UserActions* actions = nullptr;
    // A toolkit may report the change the running handler makes to a control
    // as a click on it.
    const runtime::ProjectDescription project = test_support::aroundClicks(
        app::describeProject(), [&](const std::string& click, MainForm& form, const auto& handler) {
            clicks.push_back(click);
            handler();
            if (actions != nullptr) {
                EXPECT_EQ(actions->clicked(form.Check1().Item(0)), Continuation::Running);
            }
        });
    DrivenLayer layer([&](MainForm& form, UserActions& user) {
        clicks.clear();
        // A toolkit may deliver a click on a control the program has hidden meanwhile.
        EXPECT_EQ(user.clicked(form.Check1().Item(0)), Continuation::Running);
        EXPECT_EQ(clicks, std::vector<std::string>{});
        actions = &user;
        EXPECT_EQ(user.clicked(form.Option1().Item(2)), Continuation::Running);
        EXPECT_EQ(form.Check1().Item(0).Value(), ui::CheckBox::Checked);
    });
    EXPECT_EQ(runtime::run(project, layer), 0);
    EXPECT_TRUE(layer.reports().empty());
    EXPECT_EQ(clicks, std::vector<std::string>{"Option1_Click(2)"});
}

}  // namespace
