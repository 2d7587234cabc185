// The expected screens hold on the screenless layer, the reference: every
// scenario, and every state the window can reach with every user action.

#include "support/headless_driver.hpp"

#include <gtest/gtest.h>

#include <iostream>
#include <set>

namespace {

using namespace temperament::test_support;

const std::filesystem::path folder = TEMPERAMENT_SCREENS;

TEST(ExpectedScreens, EveryScenarioPlaysOnTheScreenlessWindow) {
    EXPECT_EQ(scenariosMismatch(folder, withHeadlessWindow), "");
}

TEST(ExpectedScreens, TheWalkHasEveryReachableStateAndTransition) {
    const StateGraph expected = readWalk(folder / "every_state.walk");
    const StateGraph found = explore(withHeadlessWindow);
    EXPECT_EQ(found.states, expected.states);
    ASSERT_EQ(found.transitions.size(), expected.transitions.size());
    for (std::size_t i = 0; i < found.transitions.size(); ++i) {
        const Transition& f = found.transitions[i];
        const Transition& e = expected.transitions[i];
        EXPECT_TRUE(f.from == e.from && f.action == e.action && f.to == e.to && f.clicks == e.clicks)
            << f.from << ' ' << f.action << " -> " << f.to << ' ' << f.clicks << " instead of " << e.from << ' '
            << e.action << " -> " << e.to << ' ' << e.clicks;
    }
    EXPECT_EQ(walkMismatch(expected, withHeadlessWindow), "");
}

TEST(ExpectedScreens, TheCoveringRunsTakeEveryTransition) {
    const StateGraph graph = readWalk(folder / "every_state.walk");
    std::size_t taken = 0;
    std::set<const Transition*> distinct;
    for (const auto& run : coveringRuns(graph)) {
        std::size_t state = 0;
        for (const Transition* t : run) {
            ASSERT_EQ(t->from, state);
            state = t->to;
            distinct.insert(t);
            ++taken;
        }
    }
    EXPECT_EQ(distinct.size(), graph.transitions.size());
    std::cout << graph.transitions.size() << " transitions in " << taken << " actions\n";
}

TEST(ExpectedScreens, ADifferenceIsShownAsAUnifiedDiff) {
    EXPECT_EQ(unifiedDiff("a\nb\nc\n", "a\nx\nc\n"), "--- expected\n+++ shown\n@@ -1,3 +1,3 @@\n a\n-b\n+x\n c\n");
    // Far apart, two changes are two hunks with three lines around each.
    EXPECT_EQ(unifiedDiff("0\n1\n2\n3\n4\n5\n6\n7\n8\n9\n", "x\n1\n2\n3\n4\n5\n6\n7\n8\ny\n"),
              "--- expected\n+++ shown\n@@ -1,4 +1,4 @@\n-0\n+x\n 1\n 2\n 3\n@@ -7,4 +7,4 @@\n 6\n 7\n 8\n-9\n+y\n");
}

}  // namespace
