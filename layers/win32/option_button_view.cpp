// Option button: a BUTTON that never selects itself (BS_RADIOBUTTON, not the
// AUTO style); the check mark follows the model only. A click or Space reaches
// the dispatcher as BN_CLICKED. The dialog manager moves the focus: Tab enters
// the group at its tab stop and never chooses; the arrow keys move the focus
// within the group and choose the button they reach. Windows' own button
// reports BN_CLICKED whenever it gets the focus unchosen, Tab included (Wine's
// does not), so that report is ignored and this control sends exactly one for
// an arrow key.

#include "layers/win32/control_view.hpp"
#include "layers/win32/wide_text.hpp"
#include "layers/win32/win32_error.hpp"

#include <commctrl.h>

namespace temperament::win32 {
namespace {

// The dialog manager moves the focus within a group (from a control to the
// next or previous item of its group) only for an arrow key: Tab goes from tab
// stop to tab stop, and a group has one. The mouse is told apart before this.
bool cameByArrowKey(HWND previous, HWND window) {
    HWND dialog = GetParent(window);
    if (previous == nullptr || GetParent(previous) != dialog) return false;
    return GetNextDlgGroupItem(dialog, previous, FALSE) == window ||
           GetNextDlgGroupItem(dialog, previous, TRUE) == window;
}

class OptionButtonControl final : public ControlView {
public:
    OptionButtonControl(ui::OptionButton& option, HWND window) : ControlView(option, window), option_(option) {
        showValue();
        if (!SetWindowSubclass(window, subclassProcedure, 0, reinterpret_cast<DWORD_PTR>(this))) {
            throwLastError("не може да се подготви " + option.memberName());
        }
    }
    ~OptionButtonControl() override { RemoveWindowSubclass(handle(), subclassProcedure, 0); }
    OptionButtonControl(const OptionButtonControl&) = delete;
    OptionButtonControl& operator=(const OptionButtonControl&) = delete;

    void refresh(ui::Property property) override {
        if (property == ui::Property::Value) showValue();
    }
    [[nodiscard]] bool takesClicks() const noexcept override { return !gettingFocus_; }
    [[nodiscard]] bool selected() const noexcept { return option_.Value(); }

private:
    void showValue() const { SendMessageW(handle(), BM_SETCHECK, option_.Value() ? BST_CHECKED : BST_UNCHECKED, 0); }

    static LRESULT CALLBACK subclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR data) noexcept {
        auto& self = *reinterpret_cast<OptionButtonControl*>(data);
        switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            // The mouse gives the focus here; the click itself follows on release.
            self.mouseDown_ = true;
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            self.mouseDown_ = false;
            return result;
        }
        case WM_SETFOCUS: {
            self.gettingFocus_ = true;
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            self.gettingFocus_ = false;
            if (!self.mouseDown_ && !self.option_.Value() && cameByArrowKey(reinterpret_cast<HWND>(wParam), window)) {
                SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
                             reinterpret_cast<LPARAM>(window));
            }
            return result;
        }
        default: return DefSubclassProc(window, message, wParam, lParam);
        }
    }

    ui::OptionButton& option_;
    bool mouseDown_ = false;
    bool gettingFocus_ = false;
};

}  // namespace

std::unique_ptr<ControlView> createOptionButton(ui::OptionButton& option, const ChildPlacement& placement) {
    HWND window = createChild(option, L"BUTTON", widen(option.Caption()), BS_RADIOBUTTON, 0, placement);
    return std::make_unique<OptionButtonControl>(option, window);
}

void updateOptionTabStops(const std::vector<ControlView*>& options) {
    bool anySelected = false;
    for (const ControlView* option : options) {
        anySelected = anySelected || static_cast<const OptionButtonControl*>(option)->selected();
    }
    bool first = true;
    for (const ControlView* option : options) {
        const bool stop = anySelected ? static_cast<const OptionButtonControl*>(option)->selected() : first;
        first = false;
        const LONG_PTR style = GetWindowLongPtrW(option->handle(), GWL_STYLE);
        const LONG_PTR wanted = stop ? (style | WS_TABSTOP) : (style & ~LONG_PTR{WS_TABSTOP});
        // A style change is a round trip to the window server under Wine.
        if (wanted != style) SetWindowLongPtrW(option->handle(), GWL_STYLE, wanted);
    }
}

}  // namespace temperament::win32
