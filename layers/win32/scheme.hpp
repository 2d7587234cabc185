#pragma once
// The system's colour scheme as the core's contrast rule (ui/contrast.hpp)
// takes it: the colours Windows paints its own surfaces with, and whether the
// user has turned high contrast on. The window reads it again when the
// scheme changes (WM_SYSCOLORCHANGE, WM_SETTINGCHANGE).

#include "ui/contrast.hpp"

#include <windows.h>

namespace temperament::win32 {

struct Scheme {
    // The dialog's surfaces, the window itself and its buttons and labels:
    // button text on button face.
    ui::SystemColours dialog;
    // A document's: window text on window, as in the display box.
    ui::SystemColours document;
    friend bool operator==(const Scheme&, const Scheme&) = default;
};

// GetSysColor and the high-contrast flag (SPI_GETHIGHCONTRAST; Wine 8 never
// sets it, so there the colours alone decide).
[[nodiscard]] Scheme currentScheme();

}  // namespace temperament::win32
