#include "layers/win32/control_view.hpp"

#include "layers/win32/wide_text.hpp"
#include "layers/win32/win32_error.hpp"

namespace temperament::win32 {

void ControlView::refresh(ui::Property) {}

std::optional<ui::ColourPair> ControlView::colours(const Scheme& scheme) const {
    const auto designed = control_.backColor();
    // A read-only EDIT asks for the static colours: a document keeps a
    // document's, designed or not, like one the user may type into.
    if (surface_ == Surface::Document) return ui::paintedPair(designed, scheme.document);
    if (designed) return ui::paintedPair(*designed, scheme.dialog);
    return std::nullopt;
}

void ControlView::draw(const DRAWITEMSTRUCT&) const {}

namespace {

void placeInTabOrder(HWND window, HWND after, const ui::Control& control) {
    if (after == HWND_BOTTOM) return;  // made last, where it goes
    if (!SetWindowPos(window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE)) {
        throwLastError("не може да се подреди елементът " + control.memberName());
    }
}

}  // namespace

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
    placeInTabOrder(window, placement.after, control);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(placement.font), FALSE);
    return window;
}

ChildPlacement createNameLabel(const ui::Control& control, const ChildPlacement& placement) {
    if (control.accessibleName().empty()) return placement;
    // Hidden and of no size: the dialog manager and the screen pass it by.
    HWND label =
        CreateWindowExW(0, L"STATIC", widen(control.accessibleName()).c_str(), WS_CHILD | SS_LEFT | SS_NOPREFIX, 0, 0,
                        0, 0, placement.parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (label == nullptr) throwLastError("не може да се създаде името на " + control.memberName());
    placeInTabOrder(label, placement.after, control);
    ChildPlacement next = placement;
    if (placement.after != HWND_BOTTOM) next.after = label;
    return next;
}

}  // namespace temperament::win32
