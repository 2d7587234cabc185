#pragma once
// What a window shows, as text: the form in which the screenless layer draws
// the window, and into which every layer's tests read their real widgets to
// compare them with the same expected screens.

#include "ui/form_design.hpp"

#include <string>
#include <vector>

namespace temperament::ui {
class MainForm;
}

namespace temperament::headless {

struct ShownControl {
    std::string member;  // "Option1(2)", "Picture1"
    ui::ControlKind kind = ui::ControlKind::Label;
    bool visible = true;
    std::string text;                // a caption, or a text box's whole text
    char mark = ' ';                 // check box: 'x', ' ' or '-'; option button: '*' or ' '
    std::vector<std::string> items;  // a list box's
};

struct Screen {
    std::string caption;
    std::string focus;                   // the member with the keyboard focus; empty: none
    std::vector<ShownControl> controls;  // every control, in tab order
};

// The model's controls as a window that shows them exactly would.
[[nodiscard]] Screen screenOf(const ui::MainForm& form, std::string focus);

// A line a control, with its state; a shown text box's text follows byte for
// byte (a CR and a LF written as \r and \n, each \n ending a line, a
// backslash as \\), and so do a shown list's items. A hidden control is one
// line that says so, with the state it keeps: a layer hides, never resets.
[[nodiscard]] std::string format(const Screen& screen);

// One line for the whole screen, the text box shown by its first line only:
// a state of the window, told apart from every other.
[[nodiscard]] std::string summary(const Screen& screen);

}  // namespace temperament::headless
