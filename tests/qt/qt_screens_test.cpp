// The Qt window against the expected screens: every scenario and the walk
// over every reachable state, played with real mouse clicks and key presses
// on the widgets and read back from the widgets themselves.

#include "qt_harness.hpp"
#include "support/walk.hpp"

#include <gtest/gtest.h>

namespace temperament {
namespace {

const std::filesystem::path folder = TEMPERAMENT_SCREENS;

TEST(QtScreens, EveryScenario) {
    for (const std::filesystem::path& file : test_support::scenarioFiles(folder)) {
        const test_support::Scenario scenario = test_support::readScenario(file);
        std::string problem;
        qt_test::withQtWindow([&](test_support::ScreenDriver& driver) { problem = mismatch(scenario, driver); });
        if (!problem.empty()) ADD_FAILURE() << file.filename().string() << ", " << problem;
    }
}

TEST(QtScreens, EveryReachableStateAndTransition) {
    const test_support::StateGraph graph = test_support::readWalk(folder / "every_state.walk");
    const std::string problem = test_support::walkMismatch(graph, qt_test::withQtWindow);
    if (!problem.empty()) ADD_FAILURE() << problem;
}

}  // namespace
}  // namespace temperament
