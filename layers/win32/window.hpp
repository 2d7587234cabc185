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

#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace temperament::win32 {

class Window final : private ui::FormObserver {
public:
    // Creates the window and its controls, hidden; throws WindowsError naming
    // what could not be created.
    Window(ui::MainForm& form, runtime::Dispatcher& dispatcher, runtime::ErrorReporter& reporter);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Shows the window centred and paints it, the focus on the first control in
    // the tab order.
    void show();

    [[nodiscard]] HWND handle() const noexcept { return window_.get(); }
    // The child window of `control`, or null.
    [[nodiscard]] HWND handleOf(const ui::Control& control) const noexcept;
    [[nodiscard]] int dpi() const noexcept { return dpi_; }
    [[nodiscard]] HFONT font() const noexcept { return font_.get(); }
    // 0 after the user closed the window; runtime::failureStatus after an error.
    [[nodiscard]] int exitStatus() const noexcept;

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT colours(HDC dc, HWND child, UINT message, WPARAM wParam, LPARAM lParam);
    void userClicked(HWND child);
    void print(HDC dc, LPARAM flags);
    void propertyChanged(const ui::Control& control, ui::Property property) override;
    // Gives the text boxes the texts a handler left them, and the option group
    // its tab stop (see propertyChanged).
    void showPendingTexts();
    void createControls();
    [[nodiscard]] ControlView* find(HWND child) const noexcept;
    [[nodiscard]] ControlView* nativeOf(const ui::Control& control) const noexcept;
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
    bool dispatching_ = false;
    // Released after the window that uses them is gone (members die in reverse order).
    OwnedFont font_;
    OwnedBrush background_;
    std::vector<std::pair<COLORREF, OwnedBrush>> brushes_;
    OwnedIcon bigIcon_;
    OwnedIcon smallIcon_;
    std::vector<std::unique_ptr<ControlView>> controls_;
    std::vector<ControlView*> options_;
    std::vector<ControlView*> pendingTexts_;  // text changed by the running handler
    bool pendingTabStops_ = false;            // the running handler moved the choice
    OwnedWindow window_;
};

}  // namespace temperament::win32
