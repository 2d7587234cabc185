// Remakes expected files for review in `git diff` (the build's targets
// update_screens, update_trees and update_speech run it):
//   remake_expected screens FOLDER   every scenario of tests/screens played
//                                    afresh on the screenless layer, and the
//                                    walk over every reachable state
//   remake_expected trees FOLDER     every .tree file of tests/accessibility,
//                                    each step's tree as the screenless
//                                    window gives it
//   remake_expected speech FILE == [UTTERANCE...] == ...
//                                    the .speech file with what Orca said
//                                    after each of its steps, one "==" a step
//                                    (tests/linux/orca_test.py --write)
// Each file keeps its comments and its steps.

#include "support/headless_driver.hpp"

#include <exception>
#include <iostream>
#include <span>

namespace {

using namespace temperament::test_support;

void remakeScreens(const std::filesystem::path& folder) {
    for (const std::filesystem::path& file : scenarioFiles(folder)) {
        Scenario scenario = readScenario(file);
        withHeadlessWindow([&](ScreenDriver& driver) {
            (void)driver.takeClicks();
            for (Step& step : scenario.steps) {
                driver.perform(parseAction(step.action));
                step.screen = stepText(driver.takeClicks().value_or(std::vector<std::string>{}), driver.read());
            }
        });
        writeScenario(file, scenario);
        std::cout << file.string() << ": " << scenario.steps.size() << " screens\n";
    }
    const std::filesystem::path walk = folder / "every_state.walk";
    const StateGraph graph = explore(withHeadlessWindow);
    writeWalk(walk, graph);
    std::cout << walk.string() << ": " << graph.states.size() << " states, " << graph.transitions.size()
              << " transitions\n";
}

void remakeTrees(const std::filesystem::path& folder) {
    for (const std::filesystem::path& file : accessibleScenarioFiles(folder, ".tree")) {
        const AccessibleScenario scenario = headlessTrees(readAccessibleScenario(file));
        writeAccessibleScenario(file, scenario);
        std::cout << file.string() << ": " << scenario.steps.size() << " trees\n";
    }
}

// `said`: "==", then the utterances after the first step, "==", ...
void remakeSpeech(const std::filesystem::path& file, std::span<char*> said) {
    AccessibleScenario scenario = readAccessibleScenario(file);
    std::size_t step = 0;
    for (const std::string word : said) {
        if (word == "==") {
            if (step == scenario.steps.size())
                throw std::runtime_error("more steps said than " + file.string() + " has");
            scenario.steps[step++].lines.clear();
        } else if (step == 0) {
            throw std::runtime_error("an utterance before the first \"==\"");
        } else {
            scenario.steps[step - 1].lines.push_back('"' + word + '"');
        }
    }
    if (step != scenario.steps.size()) {
        throw std::runtime_error(std::to_string(step) + " steps said, where " + file.string() + " has " +
                                 std::to_string(scenario.steps.size()));
    }
    writeAccessibleScenario(file, scenario);
    std::cout << file.string() << ": " << step << " steps\n";
}

}  // namespace

int main(int argc, char** argv) {
    const std::span<char*> arguments(argv, static_cast<std::size_t>(argc));
    const std::string what = arguments.size() >= 3 ? arguments[1] : "";
    if (!(what == "speech" || (arguments.size() == 3 && (what == "screens" || what == "trees")))) {
        std::cerr << "usage: remake_expected screens|trees FOLDER\n"
                     "       remake_expected speech FILE == [UTTERANCE...] == ...\n";
        return 2;
    }
    try {
        if (what == "screens") remakeScreens(arguments[2]);
        if (what == "trees") remakeTrees(arguments[2]);
        if (what == "speech") remakeSpeech(arguments[2], arguments.subspan(3));
    } catch (const std::exception& error) {
        std::cerr << "remake_expected: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
