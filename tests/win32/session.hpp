#pragma once
// Runs the real program in this process with the Win32 layer's window, and a
// script that plays the user once the window is shown, in place of the
// message loop; every Click handler run is logged.

#include "app/project.hpp"
#include "layers/win32/window.hpp"

#include <functional>
#include <string>
#include <vector>

namespace temperament::wintest {

class Session {
public:
    using Script = std::function<void(win32::Window& window, ui::MainForm& form)>;

    explicit Session(runtime::ProjectDescription project = app::describeProject());

    // Runs the program and returns its exit status; an exception from the
    // script fails the test. The window is closed after the script unless the
    // script ended it.
    int run(const Script& script);

    // "Option1_Click(2)", ... for each Click since the window was shown.
    [[nodiscard]] std::vector<std::string>& clicks() noexcept { return clicks_; }
    // What the run-time and the window reported.
    [[nodiscard]] const std::vector<std::string>& reports() const noexcept { return reports_; }

private:
    std::vector<std::string> clicks_;
    std::vector<std::string> reports_;
    runtime::ProjectDescription project_;  // its handlers log into clicks_
};

// Handles every message already queued, as the program's message loop would;
// a WM_QUIT among them is put back for the loop.
void pump(HWND window);

}  // namespace temperament::wintest
