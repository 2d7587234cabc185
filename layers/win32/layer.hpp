#pragma once
// The forms run-time's Win32 layer: shows MainForm as a native window, runs the
// message loop with the dialog manager's keyboard handling, and reports errors
// in a message box.

#include "layers/win32/window.hpp"
#include "runtime/start.hpp"

namespace temperament::win32 {

class Layer final : public runtime::WindowingLayer, private runtime::ErrorReporter {
public:
    runtime::ErrorReporter& reporter() override { return *this; }
    int run(ui::MainForm& form, runtime::Dispatcher& dispatcher) override;

private:
    void report(std::string_view message) override;

    HWND owner_ = nullptr;  // the window the error report belongs to
};

// Runs the message loop until WM_QUIT.
void runMessageLoop(HWND dialog);
// How the loop handles one message: the dialog manager's keys for `dialog`,
// then the window's own procedure.
void handleMessage(HWND dialog, MSG& message);

}  // namespace temperament::win32
