// The program's event sequences end to end: start-up with the real design
// data and handlers, then user actions through the run-time's entry point.

#include "app/project.hpp"
#include "runtime/start.hpp"
#include "support/box_state.hpp"
#include "support/driven_layer.hpp"
#include "support/event_log.hpp"
#include "support/expected_texts.hpp"

#include <gtest/gtest.h>

namespace {

using namespace temperament;
using runtime::Continuation;
using test_support::DrivenLayer;
using ui::MainForm;
using ui::UserActions;

using test_support::BoxState;

BoxState box(const MainForm& form, std::int16_t i) { return test_support::boxState(form, i); }

void select(MainForm& form, UserActions& user, std::int16_t i) {
    ASSERT_EQ(user.clicked(form.Option1().Item(i)), Continuation::Running);
}

void toggle(MainForm& form, UserActions& user, std::int16_t i) {
    ASSERT_EQ(user.clicked(form.Check1().Item(i)), Continuation::Running);
}

// Runs the real program; `script` plays the user.
void runProgram(const DrivenLayer::Script& script) {
    DrivenLayer layer(script);
    EXPECT_EQ(runtime::run(app::describeProject(), layer), 0);
    EXPECT_TRUE(layer.reports().empty());
}

const std::string_view hippocrates = test_support::hippocratesText;
const std::string_view jung = test_support::jungText;
const std::string_view pavlov = test_support::pavlovText;

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

TEST(StartUp, FirstScreenShowsTheIntroductionWithPictureAndBoxesHidden) {
    runProgram([](MainForm& form, UserActions&) {
        EXPECT_FALSE(form.Picture1().Visible());
        EXPECT_TRUE(form.Label1().Item(0).Visible());
        EXPECT_EQ(box(form, 0), (BoxState{1, "Силен", false}));
        EXPECT_EQ(box(form, 1), (BoxState{1, "Уравновесен", false}));
        EXPECT_EQ(box(form, 2), (BoxState{1, "подвижен", false}));
        for (std::int16_t i = 0; i < 3; ++i) EXPECT_FALSE(form.Option1().Item(i).Value());
        EXPECT_TRUE(form.Text1().Item(0).Text().starts_with("Темпераментът е съвкупността"));
        EXPECT_FALSE(form.Text1().Item(1).Visible());
    });
}

TEST(Classification, EachChoiceWritesItsHeadingAndTypesAndSetsVisibility) {
    struct Case {
        std::int16_t index;
        std::string_view text;
        bool picture;
        bool boxes;
    };
    for (const Case& c :
         {Case{0, hippocrates, true, false}, Case{1, jung, false, false}, Case{2, pavlov, false, true}}) {
        SCOPED_TRACE(c.index);
        runProgram([&](MainForm& form, UserActions& user) {
            select(form, user, c.index);
            EXPECT_EQ(form.Text1().Item(0).Text(), c.text);
            EXPECT_EQ(form.Picture1().Visible(), c.picture);
            for (std::int16_t k = 0; k < 3; ++k) EXPECT_EQ(form.Check1().Item(k).Visible(), c.boxes);
            for (std::int16_t k = 0; k < 3; ++k) EXPECT_EQ(form.Option1().Item(k).Value(), k == c.index);
        });
    }
}

TEST(Classification, OneUserSelectionRaisesOneClickWithThatIndex) {
    test_support::EventLog log;
    DrivenLayer layer([&](MainForm& form, UserActions& user) {
        log.entries.clear();
        select(form, user, 1);
    });
    ASSERT_EQ(runtime::run(log.wrap(app::describeProject()), layer), 0);
    EXPECT_EQ(std::count(log.entries.begin(), log.entries.end(), "Option1_Click(1) {"), 1);
    EXPECT_EQ(
        std::count_if(log.entries.begin(), log.entries.end(), [](const std::string& e) { return e.ends_with(") {"); }),
        1);
    // The box is set once for the heading and once per type.
    EXPECT_EQ(std::count(log.entries.begin(), log.entries.end(),
                         "Text1(0).Text = <" + std::to_string(jung.size()) + " bytes>"),
              1);
}

TEST(Classification, RepeatingAChoiceRebuildsTheSameTextAndTheIntroductionNeverReturns) {
    runProgram([](MainForm& form, UserActions& user) {
        const std::string introduction = form.Text1().Item(0).Text();
        select(form, user, 0);
        select(form, user, 0);
        EXPECT_EQ(form.Text1().Item(0).Text(), hippocrates);
        select(form, user, 2);
        select(form, user, 1);
        EXPECT_FALSE(form.Picture1().Visible());
        select(form, user, 0);
        EXPECT_TRUE(form.Picture1().Visible());
        EXPECT_EQ(form.Text1().Item(0).Text(), hippocrates);
        EXPECT_NE(form.Text1().Item(0).Text(), introduction);
    });
}

// Walks through the property boxes: "o2" selects option 2, "c0" toggles box 0.
TEST(PropertyBoxes, WalksRenameAndShowOrHideTheBoxes) {
    struct Walk {
        std::string actions;
        std::array<BoxState, 3> boxes;
    };
    const std::vector<Walk> walks = {
        {"o2", {{{1, "Силен", true}, {1, "Уравновесен", true}, {1, "подвижен", true}}}},
        {"o2 c0", {{{0, "Слаб", true}, {1, "Уравновесен", false}, {1, "подвижен", false}}}},
        {"o2 c0 c0", {{{1, "Силен", true}, {1, "Уравновесен", true}, {1, "подвижен", true}}}},
        {"o2 c1", {{{1, "Силен", true}, {0, "Неуравновесен", true}, {1, "подвижен", false}}}},
        {"o2 c1 c0 c0", {{{1, "Силен", true}, {0, "Неуравновесен", true}, {1, "подвижен", false}}}},
        {"o2 c1 c1", {{{1, "Силен", true}, {1, "Уравновесен", true}, {1, "подвижен", true}}}},
        {"o2 c2", {{{1, "Силен", true}, {1, "Уравновесен", true}, {0, "бавен", true}}}},
        {"o2 c2 c2", {{{1, "Силен", true}, {1, "Уравновесен", true}, {1, "подвижен", true}}}},
        {"o2 c0 o1", {{{0, "Слаб", false}, {1, "Уравновесен", false}, {1, "подвижен", false}}}},
        {"o2 c0 o0 o2", {{{0, "Слаб", true}, {1, "Уравновесен", true}, {1, "подвижен", true}}}},
    };
    for (const Walk& walk : walks) {
        SCOPED_TRACE(walk.actions);
        runProgram([&](MainForm& form, UserActions& user) {
            bool pavlovSelected = false;
            for (std::size_t at = 0; at + 1 < walk.actions.size(); at += 3) {
                const auto index = static_cast<std::int16_t>(walk.actions[at + 1] - '0');
                if (walk.actions[at] == 'o') pavlovSelected = index == 2;
                (walk.actions[at] == 'o' ? select : toggle)(form, user, index);
            }
            for (std::int16_t i = 0; i < 3; ++i) EXPECT_EQ(box(form, i), walk.boxes[static_cast<std::size_t>(i)]) << i;
            // The boxes write nothing into the display box.
            EXPECT_EQ(form.Text1().Item(0).Text() == pavlov, pavlovSelected);
        });
    }
}

TEST(PropertyBoxes, OneUserToggleRaisesOneClick) {
    test_support::EventLog log;
    DrivenLayer layer([&](MainForm& form, UserActions& user) {
        select(form, user, 2);
        log.entries.clear();
        toggle(form, user, 0);
    });
    ASSERT_EQ(runtime::run(log.wrap(app::describeProject()), layer), 0);
    const std::vector<std::string> expected = {
        "Check1(0).Value = 0",       "Check1_Click(0) {",         "Check1(0).Caption = Слаб",
        "Check1(1).Visible = false", "Check1(2).Visible = false", "}",
    };
    EXPECT_EQ(log.entries, expected);
}

}  // namespace

namespace {

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

}  // namespace
