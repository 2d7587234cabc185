#pragma once
// The window's native controls read back into the expected screens' text: the
// same reading for the window in the test's process and for the shipped
// program's window in another.

#include "layers/headless/screen.hpp"
#include "ui/main_form.hpp"

#include <windows.h>

#include <functional>

namespace temperament::wintest {

// `native` gives each control's window; `focused` is the window with the
// keyboard focus.
[[nodiscard]] headless::Screen readScreen(HWND window, const ui::MainForm& form,
                                          const std::function<HWND(const ui::Control&)>& native, HWND focused);

}  // namespace temperament::wintest
