#include "layers/win32/control_view.hpp"

#include "layers/win32/wide_text.hpp"
#include "layers/win32/win32_error.hpp"

namespace temperament::win32 {

void ControlView::refresh(ui::Property property) {
    if (property != ui::Property::Visible) return;
    const bool visible = control_.Visible();
    // A hidden window keeps the focus unless it is moved on: pass it to the next control.
    if (!visible && GetFocus() == window_) SendMessageW(GetParent(window_), WM_NEXTDLGCTL, 0, FALSE);
    ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE);
}

std::optional<COLORREF> ControlView::background() const {
    if (const auto colour = control_.backColor()) return static_cast<COLORREF>(*colour);
    return std::nullopt;
}

void ControlView::draw(const DRAWITEMSTRUCT&) const {}

HWND createChild(const ui::Control& control, const wchar_t* windowClass, const std::wstring& text, DWORD style,
                 DWORD extendedStyle, const ChildPlacement& placement) {
    style |= WS_CHILD | placement.navigation;
    if (control.Visible()) style |= WS_VISIBLE;
    const RECT& r = placement.bounds;
    HWND window =
        CreateWindowExW(extendedStyle, windowClass, text.c_str(), style, r.left, r.top, r.right - r.left,
                        r.bottom - r.top, placement.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(placement.id)),
                        GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) throwLastError("не може да се създаде елементът " + control.memberName());
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(placement.font), FALSE);
    return window;
}

void createNameLabel(const ui::Control& control, const ChildPlacement& placement) {
    if (control.accessibleName().empty()) return;
    // Hidden and of no size: the dialog manager and the screen pass it by.
    HWND label =
        CreateWindowExW(0, L"STATIC", widen(control.accessibleName()).c_str(), WS_CHILD | SS_LEFT | SS_NOPREFIX, 0, 0,
                        0, 0, placement.parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (label == nullptr) throwLastError("не може да се създаде името на " + control.memberName());
}

}  // namespace temperament::win32
