#include "window_driver.hpp"

#include "probe.hpp"

#include "layers/win32/window.hpp"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>

namespace temperament::wintest {
namespace {

// A button shows "&&" for a stored "&" (no mnemonics).
std::string caption(HWND button) {
    std::string text = textOf(button);
    for (std::size_t at = text.find("&&"); at != std::string::npos; at = text.find("&&", at + 1)) text.erase(at, 1);
    return text;
}

UINT virtualKey(headless::Key key) {
    switch (key) {
    case headless::Key::Tab:
    case headless::Key::ShiftTab: return VK_TAB;
    case headless::Key::Space: return VK_SPACE;
    case headless::Key::Up: return VK_UP;
    case headless::Key::Down: return VK_DOWN;
    case headless::Key::Left: return VK_LEFT;
    case headless::Key::Right: return VK_RIGHT;
    case headless::Key::Escape: return VK_ESCAPE;
    }
    throw std::invalid_argument("no such key");
}

}  // namespace

HWND nativeOf(HWND window, const ui::MainForm& form, const ui::Control& control) {
    const std::vector<ui::Control*> order = form.tabOrder();
    const auto at = std::find(order.begin(), order.end(), &control);
    if (at == order.end()) throw std::invalid_argument(control.memberName() + " is not the form's");
    return GetDlgItem(window, win32::firstControlId + static_cast<int>(at - order.begin()));
}

HWND WindowDriver::native(const std::string& member) const {
    return nativeOf(window_, form_, test_support::controlNamed(form_, member));
}

void postClick(HWND control) {
    const RECT area = clientRect(control);
    const LPARAM middle = MAKELPARAM((area.right - area.left) / 2, (area.bottom - area.top) / 2);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    PostMessageW(control, WM_LBUTTONUP, 0, middle);
}

void postKey(HWND target, headless::Key key) {
    const UINT code = virtualKey(key);
    const auto scan = static_cast<LPARAM>(MapVirtualKeyW(code, MAPVK_VK_TO_VSC));
    PostMessageW(target, WM_KEYDOWN, code, 1 | scan << 16);
    PostMessageW(target, WM_KEYUP, code, 1 | scan << 16 | LPARAM{3} << 30);
}

void WindowDriver::click(const std::string& member) {
    HWND control = native(member);
    if (control == nullptr) throw std::runtime_error(member + " has never been shown: nothing to click");
    postClick(control);
    settle_();
}

void WindowDriver::press(headless::Key key) {
    // Posted key messages leave the keyboard state alone, and the dialog
    // manager reads Shift from it: hold Shift there.
    std::array<BYTE, 256> released{};
    if (!GetKeyboardState(released.data())) throw std::runtime_error("GetKeyboardState failed");
    std::array<BYTE, 256> held = released;
    if (key == headless::Key::ShiftTab) held[VK_SHIFT] = held[VK_LSHIFT] = 0x80;
    if (!SetKeyboardState(held.data())) throw std::runtime_error("SetKeyboardState failed");
    postKey(GetFocus(), key);
    settle_();
    if (!SetKeyboardState(released.data())) throw std::runtime_error("SetKeyboardState failed");
}

headless::Screen WindowDriver::read() {
    HWND focused = GetFocus();
    headless::Screen screen = headless::screenOf(form_, {});
    screen.caption = textOf(window_);
    const std::vector<ui::Control*> order = form_.tabOrder();
    for (std::size_t i = 0; i < order.size(); ++i) {
        headless::ShownControl& shown = screen.controls.at(i);
        HWND handle = nativeOf(window_, form_, *order[i]);
        // Never shown, never built: hidden, holding what the model holds.
        shown.visible = handle != nullptr && IsWindowVisible(handle) != FALSE;
        if (handle == nullptr) continue;
        if (handle == focused) screen.focus = shown.member;
        switch (shown.kind) {
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
    }
    return screen;
}

std::optional<std::vector<std::string>> WindowDriver::takeClicks() {
    if (clicks_ == nullptr) return std::nullopt;
    return std::exchange(*clicks_, {});
}

}  // namespace temperament::wintest
