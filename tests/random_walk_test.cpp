// Random user sessions, each step checked against the reference model of the
// window, which the test writes on its own: an oracle independent of the
// program, where the expected screens are made by the program's screenless
// layer. (The walk over every reachable state is in expected_screens_test.)

#include "app/project.hpp"
#include "runtime/start.hpp"
#include "support/driven_layer.hpp"
#include "support/reference_window.hpp"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace temperament;
using runtime::Continuation;
using test_support::DrivenLayer;
using test_support::ReferenceWindow;
using ui::MainForm;
using ui::UserActions;

// Runs one session of `steps` random user actions; every state is compared
// with the model, and the first difference ends the session.
void runSession(std::mt19937& random, int steps, const std::string& name) {
    std::string trail;  // the last actions, for the failure message
    DrivenLayer layer([&](MainForm& form, UserActions& user) {
        const std::string introduction = form.Text1().Item(0).Text();
        ReferenceWindow expected(TEMPERAMENT_SCREENS);
        ASSERT_EQ(expected.mismatch(form, introduction), "") << name << ", after load";
        for (int step = 0; step < steps; ++step) {
            const std::vector<ui::Control*> clickable = expected.clickable(form);
            ui::Control& target =
                *clickable[std::uniform_int_distribution<std::size_t>(0, clickable.size() - 1)(random)];
            if (trail.size() > 400) trail.erase(0, trail.size() - 200);
            trail += target.memberName() + " ";
            expected.click(target);
            ASSERT_EQ(user.clicked(target), Continuation::Running) << name << ": " << trail;
            ASSERT_EQ(expected.mismatch(form, introduction), "") << name << ", step " << step << ": " << trail;
        }
    });
    EXPECT_EQ(runtime::run(app::describeProject(), layer), 0) << name;
    EXPECT_EQ(layer.reports(), std::vector<std::string>{}) << name;
}

TEST(RandomSessions, EveryStepMatchesTheReferenceWindow) {
    constexpr int sessions = 2000;
    constexpr int longestSession = 40;
    std::mt19937 random(20261208);
    for (int session = 0; session < sessions && !HasFailure(); ++session)
        runSession(random, std::uniform_int_distribution(1, longestSession)(random),
                   "session " + std::to_string(session));
}

}  // namespace
