#include "screen_reader.hpp"

#include "probe.hpp"

#include <utility>

namespace temperament::wintest {
namespace {

// A button shows "&&" for a stored "&" (no mnemonics).
std::string caption(HWND button) {
    std::string text = textOf(button);
    for (std::size_t at = text.find("&&"); at != std::string::npos; at = text.find("&&", at + 1)) text.erase(at, 1);
    return text;
}

}  // namespace

headless::Screen readScreen(HWND window, const ui::MainForm& form,
                            const std::function<HWND(const ui::Control&)>& native, HWND focused) {
    headless::Screen screen{textOf(window), {}, {}};
    for (const ui::Control* control : form.tabOrder()) {
        HWND handle = native(*control);
        if (handle == focused) screen.focus = control->memberName();
        headless::ShownControl shown{
            control->memberName(), control->kind(), IsWindowVisible(handle) != FALSE, {}, ' ', {}};
        switch (control->kind()) {
        case ui::ControlKind::Label:
        case ui::ControlKind::TextBox: shown.text = textOf(handle); break;
        case ui::ControlKind::CheckBox: {
            shown.text = caption(handle);
            const LRESULT state = SendMessageW(handle, BM_GETCHECK, 0, 0);
            shown.mark = state == BST_CHECKED ? 'x' : state == BST_INDETERMINATE ? '-' : ' ';
            break;
        }
        case ui::ControlKind::OptionButton:
            shown.text = caption(handle);
            shown.mark = checked(handle) ? '*' : ' ';
            break;
        case ui::ControlKind::ListBox: shown.items = listItems(handle); break;
        case ui::ControlKind::PictureBox: break;
        }
        screen.controls.push_back(std::move(shown));
    }
    return screen;
}

}  // namespace temperament::wintest
