#include "layers/win32/window.hpp"

#include "layers/win32/font.hpp"
#include "layers/win32/picture.hpp"
#include "layers/win32/wide_text.hpp"
#include "layers/win32/win32_error.hpp"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

namespace temperament::win32 {
namespace {

constexpr const wchar_t* windowClass = L"TemperamentMainForm";
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD windowExtendedStyle = 0;
// Posted to close the window once the message that decided it has returned.
constexpr UINT endMessage = WM_APP + 1;

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

// Holds back the window's drawing while its controls follow the model, and
// then draws it again in one frame: Wine would draw at once each control
// shown or hidden, and the parts of the window they uncover, one at a time.
class SuspendedDrawing {
public:
    explicit SuspendedDrawing(HWND window) : window_(IsWindowVisible(window) ? window : nullptr) {
        if (window_ != nullptr) SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
    }
    ~SuspendedDrawing() {
        if (window_ == nullptr) return;
        SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    SuspendedDrawing(const SuspendedDrawing&) = delete;
    SuspendedDrawing& operator=(const SuspendedDrawing&) = delete;

private:
    HWND window_;  // null: a window not shown yet, which draws nothing anyway
};

}  // namespace

Window::Window(ui::MainForm& form, runtime::Dispatcher& dispatcher, runtime::ErrorReporter& reporter)
    : form_(form), user_(form, dispatcher), reporter_(reporter), dpi_(systemDpi()), scheme_(currentScheme()) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    if (!InitCommonControlsEx(&controls)) throw std::runtime_error("не може да се заредят стандартните елементи");
    font_ = createFont(form.font(), dpi_);
    (void)brush(formColours().background);
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
    placeControls();
    form_.subscribe(*this);
}

Window::~Window() { form_.unsubscribe(*this); }

void Window::placeControls() {
    // The tab order is the Z order, which the dialog manager walks. Each run
    // of option buttons is one group for the arrow keys.
    bool afterOption = false;
    for (ui::Control* control : form_.tabOrder()) {
        const bool option = control->kind() == ui::ControlKind::OptionButton;
        const ui::Rect& b = control->bounds();
        DWORD navigation = option && afterOption ? 0 : WS_GROUP;
        afterOption = option;
        // The dialog manager's tab stops; the option group's is set by updateOptionTabStops.
        if (ui::takesFocus(control->kind()) && !option) navigation |= WS_TABSTOP;
        const ChildPlacement placement{.parent = window_.get(),
                                       .id = firstControlId + static_cast<int>(controls_.size()),
                                       .bounds = {pixels(b.left, dpi_), pixels(b.top, dpi_),
                                                  pixels(b.left + b.width, dpi_), pixels(b.top + b.height, dpi_)},
                                       .navigation = navigation,
                                       .font = font_.get()};
        controls_.push_back({control, placement, nullptr});
    }
    // What the first screen hides is built when first shown: most of the
    // window is never shown in a session, and a start that makes less paints
    // sooner.
    for (Child& child : controls_) {
        if (child.control->Visible()) build(child);
    }
    updateOptionTabStops(options());
}

void Window::build(Child& child) {
    // A child window made after one that follows it in the tab order goes
    // to its place in the Z order; one made in order goes last, where it is.
    const auto at = std::find_if(controls_.begin(), controls_.end(), [&](const Child& c) { return &c == &child; });
    ChildPlacement placement = child.placement;
    if (std::any_of(std::next(at), controls_.end(), [](const Child& c) { return c.native != nullptr; })) {
        placement.after = HWND_TOP;
        for (auto before = controls_.begin(); before != at; ++before) {
            if (before->native) placement.after = before->native->handle();
        }
    }
    child.native = ui::visit(*child.control,
                             ui::Overloaded{
                                 [&](ui::Label& label) { return createLabel(label, placement); },
                                 [&](ui::PictureBox& picture) { return createPictureBox(picture, placement, dpi_); },
                                 [&](ui::TextBox& box) { return createTextBox(box, placement); },
                                 [&](ui::CheckBox& box) { return createCheckBox(box, placement); },
                                 [&](ui::OptionButton& button) { return createOptionButton(button, placement); },
                                 [&](ui::ListBox& list) { return createListBox(list, placement); },
                             });
    if (const auto pair = child.native->colours(scheme_)) (void)brush(pair->background);
}

std::vector<ControlView*> Window::options() const {
    std::vector<ControlView*> options;
    for (const Child& child : controls_) {
        if (child.native && child.control->kind() == ui::ControlKind::OptionButton)
            options.push_back(child.native.get());
    }
    return options;
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

int Window::exitStatus() const noexcept { return failed_ ? runtime::failureStatus : user_.exitStatus(); }

ControlView* Window::find(HWND child) const noexcept {
    for (const Child& each : controls_) {
        if (each.native && each.native->handle() == child) return each.native.get();
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

void Window::changed(std::span<const ui::Change> changes) {
    const SuspendedDrawing suspended(window_.get());
    std::vector<ControlView*> shownOrHidden;
    bool choiceMoved = false;
    for (const auto& [control, property] : changes) {
        Child& child = *std::find_if(controls_.begin(), controls_.end(),
                                     [control = control](const Child& c) { return c.control == control; });
        if (!child.native) {
            // Built from what the model holds when it is first shown.
            if (property == ui::Property::Visible && control->Visible()) build(child);
            continue;
        }
        child.native->refresh(property);
        if (property == ui::Property::Visible) shownOrHidden.push_back(child.native.get());
        choiceMoved =
            choiceMoved || (property == ui::Property::Value && control->kind() == ui::ControlKind::OptionButton);
    }
    showAndHide(shownOrHidden);
    // A choice moves in two changes (the old button, then the new); the
    // group's tab stop follows the final one.
    if (choiceMoved) updateOptionTabStops(options());
}

void Window::showAndHide(const std::vector<ControlView*>& natives) {
    if (natives.empty()) return;
    HWND focus = GetFocus();
    HDWP positions = BeginDeferWindowPos(static_cast<int>(natives.size()));
    for (const ControlView* native : natives) {
        const UINT show = native->control().Visible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
        if (positions != nullptr) {
            positions = DeferWindowPos(positions, native->handle(), nullptr, 0, 0, 0, 0,
                                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | show);
        }
    }
    if (positions == nullptr || !EndDeferWindowPos(positions)) throwLastError("не може да се покажат елементите");
    // A hidden window keeps the focus unless it is moved on: to the next
    // control. (The style, as the window itself draws nothing meanwhile.)
    if (focus != nullptr && GetParent(focus) == window_.get() && (GetWindowLongW(focus, GWL_STYLE) & WS_VISIBLE) == 0) {
        SendMessageW(window_.get(), WM_NEXTDLGCTL,
                     reinterpret_cast<WPARAM>(GetNextDlgTabItem(window_.get(), focus, FALSE)), TRUE);
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
    case WM_CTLCOLORDLG:  // the dialog manager erases with it
        return reinterpret_cast<LRESULT>(brush(formColours().background));
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
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        const ControlView* native = header.code == NM_CUSTOMDRAW ? find(header.hwndFrom) : nullptr;
        if (native != nullptr) return customDraw(*native, *reinterpret_cast<const NMCUSTOMDRAW*>(lParam));
        break;
    }
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE: followScheme(message, wParam, lParam); break;
    case WM_CHANGEUISTATE:
    case WM_UPDATEUISTATE: followFocusCues(wParam); break;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && lParam != 0) userClicked(reinterpret_cast<HWND>(lParam));
        return 0;
    // Closing ends the program; the dialog manager's default would turn it
    // into IDCANCEL, which this window ignores.
    case WM_CLOSE:
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

ui::ColourPair Window::formColours() const { return ui::paintedPair(form_.backColor(), scheme_.dialog); }

LRESULT Window::colours(HDC dc, HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    const ControlView* native = find(child);
    const std::optional<ui::ColourPair> pair = native != nullptr ? native->colours(scheme_) : std::nullopt;
    if (!pair) return DefDlgProcW(window_.get(), message, wParam, lParam);
    SetTextColor(dc, pair->text);
    SetBkColor(dc, pair->background);
    SetBkMode(dc, OPAQUE);
    return reinterpret_cast<LRESULT>(brush(pair->background));
}

// Once the keyboard is in use, a focused button's caption is framed in its
// text colour, which stands out from its background as the text does, and
// Windows' own dotted rectangle is left out: drawn in inverted pixels, it
// comes to 1.5:1 on the design's orange. Before that the button draws what
// Windows draws (nothing on Windows; Wine, which keeps no keyboard cues, its
// rectangle).
LRESULT Window::customDraw(const ControlView& native, const NMCUSTOMDRAW& draw) {
    if (!focusCues_) return CDRF_DODEFAULT;
    if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYPOSTPAINT | CDRF_SKIPPOSTPAINT;
    if (draw.dwDrawStage == CDDS_POSTPAINT && (draw.uItemState & CDIS_FOCUS) != 0) {
        const ui::ColourPair pair = native.colours(scheme_).value_or(ui::paintedPair(std::nullopt, scheme_.dialog));
        HBRUSH text = brush(pair.text);
        // Round the caption, right of the check mark (13 pixels wide at 96
        // DPI), where the button's own rectangle goes.
        RECT frame = draw.rc;
        frame.left += MulDiv(14, dpi_, 96);
        for (int width = std::max(1, MulDiv(1, dpi_, 96)); width > 0; --width) {
            FrameRect(draw.hdc, &frame, text);
            InflateRect(&frame, -1, -1);
        }
    }
    return CDRF_DODEFAULT;
}

// The window's own record of the keyboard cues, shown from the first time the
// keyboard moves the focus on: Wine 8 keeps none (its WM_QUERYUISTATE answers
// 0 whatever was set, and it reports keyboard cues always on), and only a
// click can focus a button before that.
void Window::followFocusCues(WPARAM state) {
    if (focusCues_ || LOWORD(state) != UIS_CLEAR || (HIWORD(state) & UISF_HIDEFOCUS) == 0) return;
    focusCues_ = true;
    HWND focus = GetFocus();
    if (focus != nullptr && GetParent(focus) == window_.get()) InvalidateRect(focus, nullptr, TRUE);
}

void Window::followScheme(UINT message, WPARAM wParam, LPARAM lParam) {
    // The common controls take the new system colours only from their parent.
    if (message == WM_SYSCOLORCHANGE) {
        for (const Child& child : controls_) {
            if (child.native) SendMessageW(child.native->handle(), message, wParam, lParam);
        }
    }
    const Scheme now = currentScheme();
    if (message != WM_SYSCOLORCHANGE && now == scheme_) return;
    scheme_ = now;
    brushes_.clear();  // made again in the new colours as the controls ask
    RedrawWindow(window_.get(), nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void Window::userClicked(HWND child) {
    ControlView* native = find(child);
    if (native == nullptr || !native->takesClicks()) return;
    if (user_.clicked(native->control()) == runtime::Continuation::Ended) end();
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
