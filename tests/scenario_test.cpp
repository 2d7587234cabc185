// The order of events inside the core, which the expected screens do not
// show: the nested Clicks of Load, a program-set Value's nested Click, and a
// toolkit's echo of the program's own change, which is not the user's.

#include "app/project.hpp"
#include "runtime/start.hpp"
#include "support/driven_layer.hpp"
#include "support/event_log.hpp"

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

TEST(UserActions, AClickReportedWhileAHandlerRunsIsAnEchoAndRaisesNothing) {
    // A toolkit may report the change the running handler makes to a control
    // as a click on it; the core takes only the user's clicks.
    std::vector<std::string> clicks;
    runtime::ProjectDescription project = app::describeProject();
    UserActions* actions = nullptr;
    for (runtime::ClickBinding& binding : project.clickHandlers) {
        binding.handler = [&, name = std::string(binding.group), handler = binding.handler](MainForm& form,
                                                                                            runtime::Int16 index) {
            clicks.push_back(name + "_Click(" + runtime::toString(index) + ")");
            handler(form, index);
            if (actions != nullptr) {
                EXPECT_EQ(actions->clicked(form.Check1().Item(0)), Continuation::Running);
            }
        };
    }
    DrivenLayer layer([&](MainForm& form, UserActions& user) {
        actions = &user;
        clicks.clear();
        EXPECT_EQ(user.clicked(form.Option1().Item(2)), Continuation::Running);
        EXPECT_EQ(form.Check1().Item(0).Value(), ui::CheckBox::Checked);
    });
    EXPECT_EQ(runtime::run(project, layer), 0);
    EXPECT_EQ(clicks, std::vector<std::string>{"Option1_Click(2)"});
}

}  // namespace
