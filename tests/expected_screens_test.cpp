// The expected screens hold on the screenless layer, the reference: every
// scenario, and every state the window can reach with every user action; and
// so do the trees a screen reader must find. The screens' reader reads back
// what the layer writes.

#include "support/headless_driver.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <set>

namespace {

using namespace temperament::test_support;

const std::filesystem::path folder = TEMPERAMENT_SCREENS;

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + '\n';
    return text;
}

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

TEST(ExpectedScreens, EveryScreenReadsBackAsTheScreenlessLayerWroteIt) {
    for (const std::filesystem::path& file : scenarioFiles(folder)) {
        for (const Step& step : readScenario(file).steps) {
            const std::string written = step.screen.substr(step.screen.find('\n') + 1);  // after "Clicks ..."
            EXPECT_EQ(temperament::headless::format(expectedScreen(step)), written)
                << file.filename().string() << ", after " << step.action;
        }
    }
}

TEST(ExpectedScreens, AScreenThatCannotBeReadNamesTheStepAndLine) {
    const auto problem = [](const std::string& screen) {
        try {
            (void)expectedScreen({"key Tab", screen});
        } catch (const std::invalid_argument& error) {
            return std::string(error.what());
        }
        return std::string("read");
    };
    const std::string head = "Clicks none\nWindow \"w\"\nFocus none\n";
    EXPECT_EQ(problem(head + "Check1(0) CheckBox \"Силен\"\n"), "after \"== key Tab\", line 4: no state in []");
    EXPECT_EQ(problem(head + "Label1(0) Label \"open\n"),
              "after \"== key Tab\", line 4: a text in quotes is not closed");
    EXPECT_EQ(problem(head + "Text1(0) TextBox\n  | a\\q\n"), "after \"== key Tab\", line 6: unknown escape \\q");
    EXPECT_EQ(problem("Clicks none\nFocus none\n"), "after \"== key Tab\", line 2: not a \"Window ...\" line");
}

// The Linux and the Windows suites compare the real programs with these trees.
TEST(ExpectedTrees, EveryTreeIsTheScreenlessWindows) {
    const std::vector<std::filesystem::path> files = accessibleScenarioFiles(TEMPERAMENT_TREES, ".tree");
    ASSERT_FALSE(files.empty());
    for (const std::filesystem::path& file : files) {
        const AccessibleScenario expected = readAccessibleScenario(file);
        const AccessibleScenario found = headlessTrees(expected);
        for (std::size_t i = 0; i < expected.steps.size(); ++i) {
            const std::string want = joined(expected.steps[i].lines);
            const std::string shown = joined(found.steps[i].lines);
            EXPECT_TRUE(shown == want) << file.filename().string() << ", after " << expected.steps[i].action << ":\n"
                                       << unifiedDiff(want, shown);
        }
    }
}

TEST(ExpectedTrees, AFileWithAnActionItsKindDoesNotTakeNamesTheLine) {
    const std::filesystem::path scratch = std::filesystem::temp_directory_path() / "expected_trees_test";
    std::filesystem::create_directories(scratch);
    const auto problem = [&](const std::string& name, const std::string& text) {
        const std::filesystem::path file = scratch / name;
        std::ofstream(file, std::ios::binary) << text;
        try {
            (void)readAccessibleScenario(file);
        } catch (const std::runtime_error& error) {
            return std::string(error.what()).substr(file.string().size());
        }
        return std::string("read");
    };
    EXPECT_EQ(problem("a.tree", "# about\n== start\nwindow \"w\"\n== toggle Хипократ\n"),
              ", line 4: \"toggle Хипократ\" names no control in quotes");
    EXPECT_EQ(problem("a.tree", "window \"w\"\n"),
              ", line 1: a line before the first \"== <action>\" that is no comment");
    EXPECT_EQ(problem("a.speech", "== start\n\"said\"\n== click Option1(0)\n"), ", line 3: only keys are spoken");
    EXPECT_EQ(problem("a.speech", "== start\nsaid\n"), ", line 2: said is not in double quotes");
    std::filesystem::remove_all(scratch);
}

TEST(ExpectedScreens, ADifferenceIsShownAsAUnifiedDiff) {
    EXPECT_EQ(unifiedDiff("a\nb\nc\n", "a\nx\nc\n"), "--- expected\n+++ shown\n@@ -1,3 +1,3 @@\n a\n-b\n+x\n c\n");
    // Far apart, two changes are two hunks with three lines around each.
    EXPECT_EQ(unifiedDiff("0\n1\n2\n3\n4\n5\n6\n7\n8\n9\n", "x\n1\n2\n3\n4\n5\n6\n7\n8\ny\n"),
              "--- expected\n+++ shown\n@@ -1,4 +1,4 @@\n-0\n+x\n 1\n 2\n 3\n@@ -7,4 +7,4 @@\n 6\n 7\n 8\n-9\n+y\n");
}

}  // namespace
