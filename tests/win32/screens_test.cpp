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

TEST(ExpectedScreens, EveryScenario) { EXPECT_EQ(test_support::scenariosMismatch(folder, withWin32Window), ""); }

TEST(ExpectedScreens, EveryReachableStateAndTransition) {
    const test_support::StateGraph graph = test_support::readWalk(folder / "every_state.walk");
    EXPECT_EQ(test_support::walkMismatch(graph, withWin32Window), "");
}

}  // namespace
}  // namespace temperament::wintest
