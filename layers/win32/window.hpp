#pragma once
// The native main window: built from MainForm's design data after Load, it
// mirrors the model through FormObserver and turns the user's clicks into the
// dispatcher's single entry point.

#include "layers/win32/control_view.hpp"
#include "layers/win32/handles.hpp"
#include "runtime/dispatcher.hpp"
#include "runtime/error_reporter.hpp"
#include "ui/main_form.hpp"
#include "ui/user_actions.hpp"

#include <commctrl.h>

#include <memory>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace temperament::win32 {

// Each control's child window has the id firstControlId + its place in the
// tab order, as a dialog's controls have ids: a tool that drives the window
// finds a control with GetDlgItem.
inline constexpr int firstControlId = 100;

class Window final : private ui::FormObserver {
public:
    // Creates the window and the controls it shows first, hidden; throws
    // WindowsError naming what could not be created.
    Window(ui::MainForm& form, runtime::Dispatcher& dispatcher, runtime::ErrorReporter& reporter);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Shows the window centred and paints it, the focus on the first control in
    // the tab order.
    void show();

    [[nodiscard]] HWND handle() const noexcept { return window_.get(); }
    // 0 after the user closed the window; runtime::failureStatus after an error.
    [[nodiscard]] int exitStatus() const noexcept;

private:
    // A control in the tab order, and its child window once it has been shown.
    struct Child {
        ui::Control* control;
        ChildPlacement placement;
        std::unique_ptr<ControlView> native;
    };

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT colours(HDC dc, HWND child, UINT message, WPARAM wParam, LPARAM lParam);
    // The buttons' focus indicator (NM_CUSTOMDRAW), and whether it shows
    // (WM_CHANGEUISTATE, WM_UPDATEUISTATE).
    LRESULT customDraw(const ControlView& native, const NMCUSTOMDRAW& draw);
    void followFocusCues(WPARAM state);
    // Asks the contrast rule again after the system's colours or settings
    // changed, and repaints the window in the colours it now chooses.
    void followScheme(UINT message, WPARAM wParam, LPARAM lParam);
    [[nodiscard]] ui::ColourPair formColours() const;
    void userClicked(HWND child);
    void changed(std::span<const ui::Change> changes) override;
    // Shows and hides the child windows in one move.
    void showAndHide(const std::vector<ControlView*>& natives);
    void placeControls();
    void build(Child& child);
    [[nodiscard]] std::vector<ControlView*> options() const;
    [[nodiscard]] ControlView* find(HWND child) const noexcept;
    [[nodiscard]] HBRUSH brush(COLORREF colour);
    // Reports a failure of the window itself and closes it.
    void fail(std::string_view message) noexcept;
    // Closes the window from the message loop, outside any control's own message.
    void end() noexcept;

    ui::MainForm& form_;
    ui::UserActions user_;
    runtime::ErrorReporter& reporter_;
    int dpi_;
    bool failed_ = false;
    bool shown_ = false;
    bool focusCues_ = false;  // the keyboard has moved the focus
    Scheme scheme_;
    // Released after the window that uses them is gone (members die in reverse order).
    OwnedFont font_;
    std::vector<std::pair<COLORREF, OwnedBrush>> brushes_;  // of the scheme's colours
    OwnedIcon bigIcon_;
    OwnedIcon smallIcon_;
    std::vector<Child> controls_;  // in tab order
    OwnedWindow window_;
};

}  // namespace temperament::win32
