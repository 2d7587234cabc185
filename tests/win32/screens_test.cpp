// The Win32 window against the expected screens: every scenario and the walk
// over every reachable state, played in this process with real mouse and key
// messages through the layer's message loop (the dialog manager), and read
// back from the native controls.

#include "session.hpp"
#include "window_driver.hpp"

#include "support/walk.hpp"

#include <gtest/gtest.h>

namespace temperament::wintest {
namespace {

const std::filesystem::path folder = TEMPERAMENT_SCREENS;

void withWin32Window(const std::function<void(test_support::ScreenDriver&)>& body) {
    Session session;
    const int status = session.run([&](win32::Window& window, ui::MainForm& form) {
        WindowDriver driver(
            window.handle(), form, [&] { pump(window.handle()); }, &session.clicks());
        body(driver);
    });
    if (status != 0 || !session.reports().empty())
        throw std::runtime_error("the program ended with status " + std::to_string(status));
}

TEST(ExpectedScreens, EveryScenario) {
    for (const std::filesystem::path& file : test_support::scenarioFiles(folder)) {
        const test_support::Scenario scenario = test_support::readScenario(file);
        std::string problem;
        withWin32Window([&](test_support::ScreenDriver& driver) { problem = mismatch(scenario, driver); });
        if (!problem.empty()) ADD_FAILURE() << file.filename().string() << ", " << problem;
    }
}

TEST(ExpectedScreens, EveryReachableStateAndTransition) {
    const test_support::StateGraph graph = test_support::readWalk(folder / "every_state.walk");
    const std::string problem = test_support::walkMismatch(graph, withWin32Window);
    if (!problem.empty()) ADD_FAILURE() << problem;
}

}  // namespace
}  // namespace temperament::wintest
