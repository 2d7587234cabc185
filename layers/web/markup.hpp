#pragma once
// The window's first screen as the page's own HTML and CSS. The build writes
// them into index.html (first_screen.cpp), so that the browser paints the
// window before any script runs; the program then takes the elements over
// (window.cpp). Each control is one element marked with its member's name,
// in tab order, which is also the order the page is read in. The stylesheet
// places each as designed where the window fits the page, and in one column
// where it does not.

#include "ui/main_form.hpp"

#include <cstdint>
#include <string>
#include <string_view>

namespace temperament::web {

// Twips to CSS pixels: 15 twips a pixel at 96 DPI; the browser scales them on
// high-DPI screens.
inline constexpr int twipsPerPixel = 15;
[[nodiscard]] int toPixels(std::int32_t twips);

// "#rrggbb" of a 0x00BBGGRR colour.
[[nodiscard]] std::string toCssColour(std::uint32_t bgr);

// The DOM shows LF line breaks; the model keeps CR LF.
[[nodiscard]] std::string toDisplayText(std::string_view crlfText);

// Text as HTML's text or attribute value.
[[nodiscard]] std::string escapeHtml(std::string_view text);

// <main>...</main>: every control of `form` as it shows now.
[[nodiscard]] std::string windowHtml(const ui::MainForm& form);

// The page's stylesheet: the window and each control.
[[nodiscard]] std::string windowCss(const ui::MainForm& form);

// The page's colours for the browser's own frame: the window's and its title's.
struct PageColours {
    std::string background;
    std::string theme;
};
[[nodiscard]] PageColours pageColours(const ui::MainForm& form);

}  // namespace temperament::web
