#pragma once
// Runs the real program in this process on the Win32 layer, with a script that
// plays the user once the window is shown, and records every Click raised.

#include "probe.hpp"

#include "app/project.hpp"
#include "layers/win32/layer.hpp"
#include "runtime/start.hpp"

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

    // "Option1(2)", "Check1(0)", ... for each Click since the window was shown.
    [[nodiscard]] const std::vector<std::string>& clicks() const noexcept { return clicks_; }
    [[nodiscard]] std::size_t clickCount() const noexcept { return clicks_.size(); }
    [[nodiscard]] std::vector<MessageBoxCloser::Box> reports() const { return boxes_.boxes(); }

private:
    runtime::ProjectDescription project_;
    std::vector<std::string> clicks_;
    bool recording_ = false;
    ui::MainForm* form_ = nullptr;
    MessageBoxCloser boxes_;
};

}  // namespace temperament::wintest
