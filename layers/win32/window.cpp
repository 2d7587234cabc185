#include "layers/win32/window.hpp"

#include "layers/win32/font.hpp"
#include "layers/win32/picture.hpp"
#include "layers/win32/wide_text.hpp"
#include "layers/win32/win32_error.hpp"

#include <algorithm>

namespace temperament::win32 {
namespace {

constexpr const wchar_t* windowClass = L"TemperamentMainForm";
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD windowExtendedStyle = 0;
// Posted to close the window once the message that decided it has returned.
constexpr UINT endMessage = WM_APP + 1;
constexpr int firstControlId = 100;

int systemDpi() {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) throwLastError("не може да се разбере разделителната способност на екрана");
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int pixels(std::int32_t twips, int dpi) { return MulDiv(twips, dpi, 1440); }

OwnedBrush createBrush(COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    if (brush == nullptr) throwLastError("не може да се създаде четка за цвета на фона");
    return OwnedBrush(brush);
}

void registerWindowClass(WNDPROC procedure) {
    WNDCLASSEXW windowClassInfo{};
    windowClassInfo.cbSize = sizeof windowClassInfo;
    windowClassInfo.lpfnWndProc = procedure;
    // A dialog class: DefDlgProcW keeps its state in these bytes and then runs
    // the dialog manager's Tab, focus and activation handling for the window.
    windowClassInfo.cbWndExtra = DLGWINDOWEXTRA;
    windowClassInfo.hInstance = GetModuleHandleW(nullptr);
    windowClassInfo.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClassInfo.lpszClassName = windowClass;
    if (RegisterClassExW(&windowClassInfo) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throwLastError("не може да се регистрира класът на прозореца");
    }
}

RECT centredWindow(int clientWidth, int clientHeight) {
    RECT frame{0, 0, clientWidth, clientHeight};
    if (!AdjustWindowRectEx(&frame, windowStyle, FALSE, windowExtendedStyle)) {
        throwLastError("не може да се изчисли размерът на прозореца");
    }
    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
        work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    const LONG width = frame.right - frame.left;
    const LONG height = frame.bottom - frame.top;
    const LONG left = std::max(work.left, work.left + (work.right - work.left - width) / 2);
    const LONG top = std::max(work.top, work.top + (work.bottom - work.top - height) / 2);
    return {left, top, left + width, top + height};
}

}  // namespace

Window::Window(ui::MainForm& form, runtime::Dispatcher& dispatcher, runtime::ErrorReporter& reporter)
    : form_(form), user_(form, dispatcher), reporter_(reporter), dpi_(systemDpi()) {
    font_ = createFont(form.font(), dpi_);
    background_ = createBrush(form.backColor());
    bigIcon_ = iconFromFile(form.icon(), GetSystemMetrics(SM_CXICON));
    smallIcon_ = iconFromFile(form.icon(), GetSystemMetrics(SM_CXSMICON));
    registerWindowClass(windowProcedure);

    const RECT frame = centredWindow(pixels(form.clientWidth(), dpi_), pixels(form.clientHeight(), dpi_));
    HWND window = CreateWindowExW(windowExtendedStyle, windowClass, widen(form.Caption()).c_str(), windowStyle,
                                  frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), this);
    if (window == nullptr) throwLastError("не може да се създаде прозорецът");  // window_ took it in WM_NCCREATE
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    // Focus rectangles appear once the keyboard is used (IsDialogMessage clears this).
    SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    createControls();
    form_.subscribe(*this);
}

Window::~Window() { form_.unsubscribe(*this); }

void Window::createControls() {
    // Creation order is the tab order: the dialog manager walks the children in
    // Z order. Each run of option buttons is one group for the arrow keys.
    bool afterOption = false;
    int id = firstControlId;
    for (ui::Control* control : form_.tabOrder()) {
        const bool option = control->kind() == ui::ControlKind::OptionButton;
        DWORD navigation = option && afterOption ? 0 : WS_GROUP;
        afterOption = option;
        const ui::Rect& b = control->bounds();
        ChildPlacement placement{window_.get(), id++, {}, navigation, font_.get()};
        placement.bounds = {pixels(b.left, dpi_), pixels(b.top, dpi_), pixels(b.left + b.width, dpi_),
                            pixels(b.top + b.height, dpi_)};
        // The dialog manager's tab stops; the option group's is set by updateOptionTabStops.
        if (ui::takesFocus(control->kind()) && !option) placement.navigation |= WS_TABSTOP;
        std::unique_ptr<ControlView> native =
            ui::visit(*control, ui::Overloaded{
                                    [&](ui::Label& label) { return createLabel(label, placement); },
                                    [&](ui::PictureBox& picture) { return createPictureBox(picture, placement, dpi_); },
                                    [&](ui::TextBox& box) { return createTextBox(box, placement); },
                                    [&](ui::CheckBox& box) { return createCheckBox(box, placement); },
                                    [&](ui::OptionButton& button) { return createOptionButton(button, placement); },
                                    [&](ui::ListBox& list) { return createListBox(list, placement); },
                                });
        if (option) options_.push_back(native.get());
        if (const auto colour = native->background()) (void)brush(*colour);
        controls_.push_back(std::move(native));
    }
    updateOptionTabStops(options_);
}

void Window::show() {
    shown_ = true;
    // Activation gives the focus to the first control in the tab order (the
    // dialog manager's WM_SETFOCUS), selecting all of its text; the display
    // box starts with nothing selected, read from the top.
    ShowWindow(window_.get(), SW_SHOW);
    if (!UpdateWindow(window_.get())) throwLastError("не може да се нарисува прозорецът");
    HWND focus = GetFocus();
    if (focus != nullptr && (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)) {
        SendMessageW(focus, EM_SETSEL, 0, 0);
    }
}

HWND Window::handleOf(const ui::Control& control) const noexcept {
    const ControlView* native = nativeOf(control);
    return native != nullptr ? native->handle() : nullptr;
}

ControlView* Window::nativeOf(const ui::Control& control) const noexcept {
    for (const auto& native : controls_) {
        if (&native->control() == &control) return native.get();
    }
    return nullptr;
}

int Window::exitStatus() const noexcept { return failed_ ? runtime::failureStatus : user_.exitStatus(); }

ControlView* Window::find(HWND child) const noexcept {
    for (const auto& native : controls_) {
        if (native->handle() == child) return native.get();
    }
    return nullptr;
}

HBRUSH Window::brush(COLORREF colour) {
    for (const auto& [known, brush] : brushes_) {
        if (known == colour) return brush.get();
    }
    brushes_.emplace_back(colour, createBrush(colour));
    return brushes_.back().second.get();
}

void Window::propertyChanged(const ui::Control& control, ui::Property property) {
    ControlView* native = nativeOf(control);
    if (native == nullptr) return;  // not created yet
    // A handler builds a text box's text line by line, and a shown EDIT redraws
    // itself on every new text (about 10 ms each under Wine): during a user
    // action only the last text goes to the control, when the handler returns.
    if (dispatching_ && property == ui::Property::Text) {
        if (std::find(pendingTexts_.begin(), pendingTexts_.end(), native) == pendingTexts_.end()) {
            pendingTexts_.push_back(native);
        }
        return;
    }
    native->refresh(property);
    if (control.kind() == ui::ControlKind::OptionButton && property == ui::Property::Value) {
        // A choice moves in two changes (the old button, then the new); the
        // group's tab stop follows the last, when the handler returns.
        if (dispatching_) {
            pendingTabStops_ = true;
        } else {
            updateOptionTabStops(options_);
        }
    }
}

LRESULT CALLBACK Window::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = OwnedWindow(window);
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefDlgProcW(window, message, wParam, lParam);
    // No exception may leave a window procedure: what escapes here is reported
    // and ends the program.
    try {
        return self->handle(message, wParam, lParam);
    } catch (const std::exception& error) {
        self->fail(error.what());
    } catch (...) {
        self->fail("неизвестна грешка");
    }
    return DefDlgProcW(window, message, wParam, lParam);
}

LRESULT Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_.get();
    switch (message) {
    case WM_CTLCOLORDLG: return reinterpret_cast<LRESULT>(background_.get());  // the dialog manager erases with it
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
        return colours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message, wParam, lParam);
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (const ControlView* native = find(item.hwndItem)) {
            native->draw(item);
            return TRUE;
        }
        break;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && lParam != 0) userClicked(reinterpret_cast<HWND>(lParam));
        return 0;
    // Closing ends the program; the dialog manager's default would turn it
    // into IDCANCEL, which this window ignores.
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_PRINT: print(reinterpret_cast<HDC>(wParam), lParam); return 0;
    case endMessage: DestroyWindow(window); return 0;
    case WM_DESTROY:
        // Only a shown window ends the message loop: a WM_QUIT left behind by a
        // window that failed to build would also close the error report's box.
        if (shown_) PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        (void)window_.detach();
        break;
    default: break;
    }
    return DefDlgProcW(window, message, wParam, lParam);
}

LRESULT Window::colours(HDC dc, HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    const ControlView* native = find(child);
    const std::optional<COLORREF> background = native != nullptr ? native->background() : std::nullopt;
    if (!background) return DefDlgProcW(window_.get(), message, wParam, lParam);
    SetTextColor(dc, native->textColour());
    SetBkColor(dc, *background);
    SetBkMode(dc, OPAQUE);
    return reinterpret_cast<LRESULT>(brush(*background));
}

void Window::userClicked(HWND child) {
    ControlView* native = find(child);
    // Only what the user can see and click is a user action; one that a
    // handler's own change (a focus move) would start, the core ignores.
    if (native == nullptr || !native->takesClicks() || !IsWindowVisible(child)) return;
    dispatching_ = true;
    const runtime::Continuation next = user_.clicked(native->control());
    dispatching_ = false;
    showPendingTexts();
    if (next == runtime::Continuation::Ended) end();
}

void Window::showPendingTexts() {
    const std::vector<ControlView*> pending = std::exchange(pendingTexts_, {});
    for (ControlView* native : pending) native->refresh(ui::Property::Text);
    if (std::exchange(pendingTabStops_, false)) updateOptionTabStops(options_);
}

// PrintWindow asks for the children too (PRF_CHILDREN) and for the frames
// (PRF_NONCLIENT), which Wine's default handling leaves out: each shown child
// is printed here, its client area where it lies and the sunken edge of a
// WS_EX_CLIENTEDGE window around it, as the screen shows them (scroll bars
// are left out).
void Window::print(HDC dc, LPARAM flags) {
    HWND window = window_.get();
    if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(window)) return;
    DefWindowProcW(window, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags & ~LPARAM{PRF_CHILDREN});
    if (!(flags & PRF_CHILDREN)) return;
    RECT frame{};
    GetWindowRect(window, &frame);
    POINT client{0, 0};
    ClientToScreen(window, &client);
    const POINT origin = (flags & PRF_NONCLIENT) ? POINT{client.x - frame.left, client.y - frame.top} : POINT{0, 0};
    const LPARAM clientOnly = (flags & ~LPARAM{PRF_CHILDREN | PRF_NONCLIENT}) | PRF_CLIENT | PRF_ERASEBKGND;
    // Bottom of the Z order first, so that what lies on top is drawn last.
    for (HWND child = GetWindow(GetWindow(window, GW_CHILD), GW_HWNDLAST); child != nullptr;
         child = GetWindow(child, GW_HWNDPREV)) {
        if (!IsWindowVisible(child)) continue;
        RECT area{};
        GetClientRect(child, &area);
        MapWindowPoints(child, window, reinterpret_cast<POINT*>(&area), 2);
        // Each child draws into a bitmap of its own, at the origin: the
        // controls clip to their client rectangle taken as device coordinates.
        const int width = area.right - area.left;
        const int height = area.bottom - area.top;
        if (width > 0 && height > 0) {
            const OwnedDc memory(CreateCompatibleDC(dc));
            const OwnedBitmap bitmap(CreateCompatibleBitmap(dc, width, height));
            if (!memory || !bitmap) throwLastError("не може да се отпечата елемент на прозореца");
            const HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
            SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(memory.get()), clientOnly);
            BitBlt(dc, origin.x + area.left, origin.y + area.top, width, height, memory.get(), 0, 0, SRCCOPY);
            SelectObject(memory.get(), previous);
        }
        if (GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
            RECT edge{};
            GetWindowRect(child, &edge);
            MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&edge), 2);
            OffsetRect(&edge, origin.x, origin.y);
            DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
        }
    }
}

void Window::fail(std::string_view message) noexcept {
    if (failed_) return;
    failed_ = true;
    try {
        reporter_.report("Грешка в прозореца на програмата: " + std::string(message));
    } catch (...) {
        // The report itself failed; the non-zero exit status still tells.
    }
    end();
}

void Window::end() noexcept {
    if (window_) PostMessageW(window_.get(), endMessage, 0, 0);
}

}  // namespace temperament::win32
