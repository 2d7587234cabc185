// The Qt window against the expected screens: every scenario and the walk
// over every reachable state, played with real mouse clicks and key presses
// on the widgets and read back from the widgets themselves.

#include "qt_harness.hpp"
#include "support/walk.hpp"

#include <gtest/gtest.h>

namespace temperament {
namespace {

const std::filesystem::path folder = TEMPERAMENT_SCREENS;

TEST(QtScreens, EveryScenario) { EXPECT_EQ(test_support::scenariosMismatch(folder, qt_test::withQtWindow), ""); }

TEST(QtScreens, EveryReachableStateAndTransition) {
    const test_support::StateGraph graph = test_support::readWalk(folder / "every_state.walk");
    EXPECT_EQ(test_support::walkMismatch(graph, qt_test::withQtWindow), "");
}

}  // namespace
}  // namespace temperament
