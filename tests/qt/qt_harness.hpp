#pragma once
// How the Qt tests run the real program: its window shown and active, a test
// playing the user in place of the event loop, the widgets read back into the
// expected screens' text.

#include "app/project.hpp"
#include "layers/qt/window.hpp"
#include "support/screens.hpp"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace temperament::qt_test {

// The Qt window as a ScreenDriver: QTest's mouse clicks and key presses, and
// what the widgets show.
class QtDriver final : public test_support::ScreenDriver {
public:
    QtDriver(const ui::MainForm& form, qt::Window& window, std::vector<std::string>& clicks)
        : form_(form), window_(window), clicks_(clicks) {}

    void click(const std::string& member) override;
    void press(headless::Key key) override;
    headless::Screen read() override;
    std::optional<std::vector<std::string>> takeClicks() override;

private:
    const ui::MainForm& form_;
    qt::Window& window_;
    std::vector<std::string>& clicks_;
};

using Body = std::function<void(ui::MainForm&, qt::Window&, QtDriver&)>;

struct Outcome {
    int status = 0;
    std::vector<std::string> reports;  // what the run-time reported
    std::vector<std::string> clicks;   // the Click handlers run after Load
};

// Runs `project` with its window shown and active; `body` plays the user.
Outcome runWindow(const Body& body, const runtime::ProjectDescription& project = app::describeProject());

// Saves what the window shows as `name` (a PNG) in TEMPERAMENT_SCREENSHOTS, or
// in the working folder.
void saveScreenshot(qt::Window& window, const QString& name);

// Runs the real program for `body`; throws when it fails or reports an error.
void withQtWindow(const std::function<void(test_support::ScreenDriver&)>& body);

}  // namespace temperament::qt_test
