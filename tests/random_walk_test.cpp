// Thousands of random user sessions, each step checked against a reference
// model of the window written here from the program's tables of texts,
// captions and visibility, independently of the handlers.

#include "app/project.hpp"
#include "runtime/start.hpp"
#include "support/box_state.hpp"
#include "support/driven_layer.hpp"
#include "support/expected_texts.hpp"

#include <gtest/gtest.h>

#include <array>
#include <random>

namespace {

using namespace temperament;
using runtime::Continuation;
using runtime::Dispatcher;
using test_support::DrivenLayer;
using ui::MainForm;

using test_support::BoxState;

// What the window should show.
struct ReferenceWindow {
    static constexpr std::array<std::array<const char*, 2>, 3> captions = {{
        {"Слаб", "Силен"},
        {"Неуравновесен", "Уравновесен"},
        {"бавен", "подвижен"},
    }};

    int selected = -1;
    std::string text;
    bool picture = false;
    std::array<BoxState, 3> boxes = {{{1, "Силен", false}, {1, "Уравновесен", false}, {1, "подвижен", false}}};

    void select(int classification) {
        selected = classification;
        text = test_support::classificationTexts[static_cast<std::size_t>(classification)];
        picture = classification == 0;
        for (BoxState& box : boxes) box.visible = classification == 2;
    }

    void toggle(std::size_t i) {
        BoxState& box = boxes[i];
        box.value = box.value == 1 ? 0 : 1;
        box.caption = captions[i][static_cast<std::size_t>(box.value)];
        const bool checked = box.value == 1;
        if (i == 0) {
            // Balance matters for a strong system only; mobility for a balanced one.
            boxes[1].visible = checked;
            if (!checked)
                boxes[2].visible = false;
            else if (boxes[1].value == 1)
                boxes[2].visible = true;
        } else if (i == 1) {
            boxes[2].visible = checked;
        }
    }
};

void expectMatches(const ReferenceWindow& expected, const MainForm& form, const std::string& introduction) {
    EXPECT_EQ(form.Text1().Item(0).Text(), expected.selected < 0 ? introduction : expected.text);
    EXPECT_EQ(form.Picture1().Visible(), expected.picture);
    for (std::int16_t i = 0; i < 3; ++i) {
        EXPECT_EQ(test_support::boxState(form, i), expected.boxes[static_cast<std::size_t>(i)]) << "box " << i;
        EXPECT_EQ(form.Option1().Item(i).Value(), expected.selected == i);
    }
    EXPECT_TRUE(form.Label1().Item(0).Visible());
    EXPECT_FALSE(form.Text1().Item(1).Visible());
    for (std::int16_t i = 0; i < 3; ++i) EXPECT_FALSE(form.List1().Item(i).Visible());
}

TEST(RandomSessions, EveryStepMatchesTheReferenceWindow) {
    constexpr int sessions = 2000;
    constexpr int longestSession = 40;
    std::mt19937 random(20261208);
    for (int session = 0; session < sessions && !HasFailure(); ++session) {
        std::string trail;
        DrivenLayer layer([&](MainForm& form, Dispatcher& dispatcher) {
            const std::string introduction = form.Text1().Item(0).Text();
            ReferenceWindow expected;
            expectMatches(expected, form, introduction);
            const int steps = std::uniform_int_distribution(1, longestSession)(random);
            for (int step = 0; step < steps && !HasFailure(); ++step) {
                std::vector<ui::Control*> clickable;
                for (std::int16_t i = 0; i < 3; ++i) clickable.push_back(&form.Option1().Item(i));
                for (std::int16_t i = 0; i < 3; ++i) {
                    if (expected.boxes[static_cast<std::size_t>(i)].visible)
                        clickable.push_back(&form.Check1().Item(i));
                }
                ui::Control& target =
                    *clickable[std::uniform_int_distribution<std::size_t>(0, clickable.size() - 1)(random)];
                const auto index = static_cast<std::size_t>(target.Index()->value());
                trail += target.memberName() + " ";
                if (target.kind() == ui::ControlKind::OptionButton) {
                    expected.select(static_cast<int>(index));
                } else {
                    expected.toggle(index);
                }
                ASSERT_EQ(dispatcher.userClicked(target), Continuation::Running) << trail;
                SCOPED_TRACE("session " + std::to_string(session) + ": " + trail);
                expectMatches(expected, form, introduction);
            }
        });
        EXPECT_EQ(runtime::run(app::describeProject(), layer), 0);
    }
}

}  // namespace
