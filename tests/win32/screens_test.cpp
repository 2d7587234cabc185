// The Win32 window against the expected screens: every scenario and the walk
// over every reachable state, played in this process with real mouse and key
// messages through the layer's message loop (the dialog manager), and read
// back from the native controls.

#include "probe.hpp"
#include "screen_reader.hpp"
#include "session.hpp"

#include "support/screens.hpp"
#include "support/walk.hpp"
#include "ui/main_form.hpp"

#include <gtest/gtest.h>

#include <utility>

namespace temperament::wintest {
namespace {

const std::filesystem::path folder = TEMPERAMENT_SCREENS;

class Win32Driver final : public test_support::ScreenDriver {
public:
    Win32Driver(win32::Window& window, const ui::MainForm& form, const Session& session)
        : window_(window), form_(form), session_(session), seen_(session.clickCount()) {}

    void click(const std::string& member) override {
        HWND control = window_.handleOf(test_support::controlNamed(form_, member));
        const RECT area = clientRect(control);
        const LPARAM middle = MAKELPARAM((area.right - area.left) / 2, (area.bottom - area.top) / 2);
        PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
        PostMessageW(control, WM_LBUTTONUP, 0, middle);
        win32::processPendingMessages(window_.handle());
    }

    void press(headless::Key key) override {
        switch (key) {
        case headless::Key::Tab: wintest::press(window_.handle(), VK_TAB); break;
        case headless::Key::ShiftTab: wintest::press(window_.handle(), VK_TAB, true); break;
        case headless::Key::Space: wintest::press(window_.handle(), VK_SPACE); break;
        case headless::Key::Up: wintest::press(window_.handle(), VK_UP); break;
        case headless::Key::Down: wintest::press(window_.handle(), VK_DOWN); break;
        case headless::Key::Left: wintest::press(window_.handle(), VK_LEFT); break;
        case headless::Key::Right: wintest::press(window_.handle(), VK_RIGHT); break;
        case headless::Key::Escape: wintest::press(window_.handle(), VK_ESCAPE); break;
        }
    }

    headless::Screen read() override {
        return readScreen(
            window_.handle(), form_, [&](const ui::Control& control) { return window_.handleOf(control); }, GetFocus());
    }

    // The session writes "Option1(2)"; the expected screens "Option1_Click(2)".
    std::optional<std::vector<std::string>> takeClicks() override {
        std::vector<std::string> clicks;
        for (; seen_ < session_.clickCount(); ++seen_) {
            std::string click = session_.clicks()[seen_];
            click.insert(click.find('('), "_Click");
            clicks.push_back(std::move(click));
        }
        return clicks;
    }

private:
    win32::Window& window_;
    const ui::MainForm& form_;
    const Session& session_;
    std::size_t seen_;
};

void withWin32Window(const std::function<void(test_support::ScreenDriver&)>& body) {
    Session session;
    const int status = session.run([&](win32::Window& window, ui::MainForm& form) {
        Win32Driver driver(window, form, session);
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
