// Remakes the expected screens from the screenless layer, for review in
// `git diff`: every scenario's screens, played afresh, and the walk over every
// reachable state. Usage: remake_screens <folder of the .screens files>
// (the build's target update_screens runs it on tests/screens).

#include "support/headless_driver.hpp"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    using namespace temperament::test_support;
    if (argc != 2) {
        std::cerr << "usage: remake_screens FOLDER\n";
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
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
    } catch (const std::exception& error) {
        std::cerr << "remake_screens: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
