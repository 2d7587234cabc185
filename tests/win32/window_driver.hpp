#pragma once
// The program's window driven as a user drives it, with posted mouse and key
// messages, and read back from its native controls into the expected
// screens' text: the window in the test's process, or the shipped program's
// in another.

#include "support/screens.hpp"
#include "ui/main_form.hpp"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace temperament::wintest {

// The child window of `control` in the program's `window` (by its control
// id); null while it has never been shown, and so not built.
[[nodiscard]] HWND nativeOf(HWND window, const ui::MainForm& form, const ui::Control& control);

// Posts a press and release of the left mouse button on the middle of `control`.
void postClick(HWND control);
// Posts a press and release of the key to `target` (Shift not held).
void postKey(HWND target, headless::Key key);

class WindowDriver final : public test_support::ScreenDriver {
public:
    // `form` is the model the window shows: the program's own in this
    // process, or a loaded copy for another, where a control never shown
    // holds what it held after Load. `settle` returns once the program has
    // handled what was posted to it. `clicks` is the program's log of Click
    // handlers, where the test can see it (logClicks).
    WindowDriver(HWND window, const ui::MainForm& form, std::function<void()> settle,
                 std::vector<std::string>* clicks = nullptr)
        : window_(window), form_(form), settle_(std::move(settle)), clicks_(clicks) {}

    void click(const std::string& member) override;
    // To the control with the keyboard focus; from another process, while
    // the test shares the program's input state (AttachThreadInput).
    void press(headless::Key key) override;
    headless::Screen read() override;
    std::optional<std::vector<std::string>> takeClicks() override;

    [[nodiscard]] HWND native(const std::string& member) const;

private:
    HWND window_;
    const ui::MainForm& form_;
    std::function<void()> settle_;
    std::vector<std::string>* clicks_;
};

}  // namespace temperament::wintest
