#pragma once
// The forms run-time's Win32 layer: shows MainForm as a native window, runs the
// message loop with the dialog manager's keyboard handling, and reports errors
// in a message box.

#include "layers/win32/window.hpp"
#include "runtime/start.hpp"

#include <functional>

namespace temperament::win32 {

class Layer final : public runtime::WindowingLayer, private runtime::ErrorReporter {
public:
    // Runs on the user-interface thread once the window is shown and painted,
    // before the message loop; tests drive the window from here.
    using ShownHook = std::function<void(Window&)>;

    Layer() = default;
    explicit Layer(ShownHook whenShown) : whenShown_(std::move(whenShown)) {}

    runtime::ErrorReporter& reporter() override { return *this; }
    int run(ui::MainForm& form, runtime::Dispatcher& dispatcher) override;

private:
    void report(std::string_view message) override;

    ShownHook whenShown_;
    HWND owner_ = nullptr;  // the window the error report belongs to
};

// Runs the message loop until WM_QUIT.
void runMessageLoop(HWND dialog);
// Handles every message already queued, as the loop would, and returns; a
// WM_QUIT among them is put back for the loop.
void processPendingMessages(HWND dialog);

}  // namespace temperament::win32
