// The program's event sequences end to end: start-up with the real design
// data and handlers, then user actions through the run-time's entry point.

#include "app/project.hpp"
#include "runtime/start.hpp"
#include "support/driven_layer.hpp"
#include "support/event_log.hpp"

#include <gtest/gtest.h>

namespace {

using namespace temperament;
using runtime::Continuation;
using runtime::Dispatcher;
using test_support::DrivenLayer;
using ui::MainForm;

struct Box {
    int value;
    std::string caption;
    bool visible;
    friend bool operator==(const Box&, const Box&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Box& box) {
        return out << "{" << box.value << ", \"" << box.caption << "\", " << (box.visible ? "shown" : "hidden") << "}";
    }
};

Box box(const MainForm& form, std::int16_t i) {
    const ui::CheckBox& check = form.Check1().Item(i);
    return {check.Value().value(), check.Caption(), check.Visible()};
}

void select(MainForm& form, Dispatcher& dispatcher, std::int16_t i) {
    ASSERT_EQ(dispatcher.userClicked(form.Option1().Item(i)), Continuation::Running);
}

void toggle(MainForm& form, Dispatcher& dispatcher, std::int16_t i) {
    ASSERT_EQ(dispatcher.userClicked(form.Check1().Item(i)), Continuation::Running);
}

// Runs the real program; `script` plays the user.
void runProgram(const DrivenLayer::Script& script) {
    DrivenLayer layer(script);
    EXPECT_EQ(runtime::run(app::describeProject(), layer), 0);
    EXPECT_TRUE(layer.reports().empty());
}

const std::string hippocrates =
    "Класификация според Хипократ:\r\nСангвиник \r\nХолерик \r\nФлегматик \r\nМеланхолик\r\n";
const std::string jung = "Класификация според Юнг :\r\nЕкстроверт \r\nИнтроверт\r\n";
const std::string pavlov =
    "Класификация според Павлов:\r\nСилен, уравновесен, подвижен\r\nСилен, неуравновесен\r\n"
    "Силен, уравновесен, бавен\r\nСлаб\r\n";

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
    runProgram([](MainForm& form, Dispatcher&) {
        EXPECT_FALSE(form.Picture1().Visible());
        EXPECT_TRUE(form.Label1().Item(0).Visible());
        EXPECT_EQ(box(form, 0), (Box{1, "Силен", false}));
        EXPECT_EQ(box(form, 1), (Box{1, "Уравновесен", false}));
        EXPECT_EQ(box(form, 2), (Box{1, "подвижен", false}));
        for (std::int16_t i = 0; i < 3; ++i) EXPECT_FALSE(form.Option1().Item(i).Value());
        EXPECT_TRUE(form.Text1().Item(0).Text().starts_with("Темпераментът е съвкупността"));
        EXPECT_FALSE(form.Text1().Item(1).Visible());
    });
}

TEST(Classification, EachChoiceWritesItsHeadingAndTypesAndSetsVisibility) {
    struct Case {
        std::int16_t index;
        const std::string& text;
        bool picture;
        bool boxes;
    };
    for (const Case& c : {Case{0, hippocrates, true, false}, Case{1, jung, false, false}, Case{2, pavlov, false, true}}) {
        SCOPED_TRACE(c.index);
        runProgram([&](MainForm& form, Dispatcher& dispatcher) {
            select(form, dispatcher, c.index);
            EXPECT_EQ(form.Text1().Item(0).Text(), c.text);
            EXPECT_EQ(form.Picture1().Visible(), c.picture);
            for (std::int16_t k = 0; k < 3; ++k) EXPECT_EQ(form.Check1().Item(k).Visible(), c.boxes);
            for (std::int16_t k = 0; k < 3; ++k) EXPECT_EQ(form.Option1().Item(k).Value(), k == c.index);
        });
    }
}

TEST(Classification, OneUserSelectionRaisesOneClickWithThatIndex) {
    test_support::EventLog log;
    DrivenLayer layer([&](MainForm& form, Dispatcher& dispatcher) {
        log.entries.clear();
        select(form, dispatcher, 1);
    });
    ASSERT_EQ(runtime::run(log.wrap(app::describeProject()), layer), 0);
    EXPECT_EQ(std::count(log.entries.begin(), log.entries.end(), "Option1_Click(1) {"), 1);
    EXPECT_EQ(std::count_if(log.entries.begin(), log.entries.end(),
                            [](const std::string& e) { return e.ends_with(") {"); }),
              1);
    // The box is set once for the heading and once per type.
    EXPECT_EQ(std::count(log.entries.begin(), log.entries.end(), "Text1(0).Text = <" +
                                                                     std::to_string(jung.size()) + " bytes>"),
              1);
}

TEST(Classification, RepeatingAChoiceRebuildsTheSameTextAndTheIntroductionNeverReturns) {
    runProgram([](MainForm& form, Dispatcher& dispatcher) {
        const std::string introduction = form.Text1().Item(0).Text();
        select(form, dispatcher, 0);
        select(form, dispatcher, 0);
        EXPECT_EQ(form.Text1().Item(0).Text(), hippocrates);
        select(form, dispatcher, 2);
        select(form, dispatcher, 1);
        EXPECT_FALSE(form.Picture1().Visible());
        select(form, dispatcher, 0);
        EXPECT_TRUE(form.Picture1().Visible());
        EXPECT_EQ(form.Text1().Item(0).Text(), hippocrates);
        EXPECT_NE(form.Text1().Item(0).Text(), introduction);
    });
}

TEST(PropertyBoxes, PavlovAfterLoadShowsThreeCheckedBoxes) {
    runProgram([](MainForm& form, Dispatcher& dispatcher) {
        select(form, dispatcher, 2);
        EXPECT_EQ(box(form, 0), (Box{1, "Силен", true}));
        EXPECT_EQ(box(form, 1), (Box{1, "Уравновесен", true}));
        EXPECT_EQ(box(form, 2), (Box{1, "подвижен", true}));
    });
}

TEST(PropertyBoxes, StrengthHidesAndRestoresTheBoxesBelowIt) {
    runProgram([](MainForm& form, Dispatcher& dispatcher) {
        select(form, dispatcher, 2);
        toggle(form, dispatcher, 0);
        EXPECT_EQ(box(form, 0), (Box{0, "Слаб", true}));
        EXPECT_FALSE(form.Check1().Item(1).Visible());
        EXPECT_FALSE(form.Check1().Item(2).Visible());
        toggle(form, dispatcher, 0);
        EXPECT_EQ(box(form, 0), (Box{1, "Силен", true}));
        EXPECT_EQ(box(form, 1), (Box{1, "Уравновесен", true}));
        EXPECT_EQ(box(form, 2), (Box{1, "подвижен", true}));
        EXPECT_EQ(form.Text1().Item(0).Text(), pavlov);  // the boxes write nothing
    });
}

TEST(PropertyBoxes, AnUnbalancedSystemKeepsMobilityHiddenWhenStrengthReturns) {
    runProgram([](MainForm& form, Dispatcher& dispatcher) {
        select(form, dispatcher, 2);
        toggle(form, dispatcher, 1);
        EXPECT_EQ(box(form, 1), (Box{0, "Неуравновесен", true}));
        EXPECT_FALSE(form.Check1().Item(2).Visible());
        toggle(form, dispatcher, 0);
        toggle(form, dispatcher, 0);
        EXPECT_EQ(box(form, 1), (Box{0, "Неуравновесен", true}));
        EXPECT_EQ(box(form, 2), (Box{1, "подвижен", false}));
    });
}

TEST(PropertyBoxes, MobilityRenamesItselfBothWays) {
    runProgram([](MainForm& form, Dispatcher& dispatcher) {
        select(form, dispatcher, 2);
        toggle(form, dispatcher, 2);
        EXPECT_EQ(box(form, 2), (Box{0, "бавен", true}));
        toggle(form, dispatcher, 2);
        EXPECT_EQ(box(form, 2), (Box{1, "подвижен", true}));
    });
}

TEST(PropertyBoxes, ReturningToPavlovShowsEveryBoxWhateverItsState) {
    runProgram([](MainForm& form, Dispatcher& dispatcher) {
        select(form, dispatcher, 2);
        toggle(form, dispatcher, 0);
        select(form, dispatcher, 1);
        for (std::int16_t k = 0; k < 3; ++k) EXPECT_FALSE(form.Check1().Item(k).Visible());
        select(form, dispatcher, 2);
        EXPECT_EQ(box(form, 0), (Box{0, "Слаб", true}));
        EXPECT_EQ(box(form, 1), (Box{1, "Уравновесен", true}));
        EXPECT_EQ(box(form, 2), (Box{1, "подвижен", true}));
    });
}

TEST(PropertyBoxes, OneUserToggleRaisesOneClick) {
    test_support::EventLog log;
    DrivenLayer layer([&](MainForm& form, Dispatcher& dispatcher) {
        select(form, dispatcher, 2);
        log.entries.clear();
        toggle(form, dispatcher, 0);
    });
    ASSERT_EQ(runtime::run(log.wrap(app::describeProject()), layer), 0);
    const std::vector<std::string> expected = {
        "Check1(0).Value = 0",       "Check1_Click(0) {",         "Check1(0).Caption = Слаб",
        "Check1(1).Visible = false", "Check1(2).Visible = false", "}",
    };
    EXPECT_EQ(log.entries, expected);
}

}  // namespace
