// Text box: a multi-line EDIT; read-only when the design locks it. Its text
// is the model's: a read-only EDIT still takes a new text from a message
// (WM_SETTEXT, EM_REPLACESEL), which another program may send (Wine's
// accessible object for an EDIT sets its value so), and those are refused
// unless they are this control's own. Its AccessibleName is a hidden label
// before it (createNameLabel).

#include "layers/win32/control_view.hpp"
#include "layers/win32/wide_text.hpp"
#include "layers/win32/win32_error.hpp"

#include <commctrl.h>

namespace temperament::win32 {
namespace {

class TextBoxControl final : public ControlView {
public:
    TextBoxControl(ui::TextBox& textBox, HWND window)
        : ControlView(textBox, window, Surface::Document), textBox_(textBox) {
        if (!SetWindowSubclass(window, subclassProcedure, 0, reinterpret_cast<DWORD_PTR>(this))) {
            throwLastError("не може да се подготви " + textBox.memberName());
        }
    }
    ~TextBoxControl() override { RemoveWindowSubclass(handle(), subclassProcedure, 0); }
    TextBoxControl(const TextBoxControl&) = delete;
    TextBoxControl& operator=(const TextBoxControl&) = delete;

    void refresh(ui::Property property) override {
        if (property != ui::Property::Text) return;
        showing_ = true;
        const BOOL shown = SetWindowTextW(handle(), widen(textBox_.Text()).c_str());
        showing_ = false;
        if (shown == 0) throwLastError("не може да се покаже текстът на " + textBox_.memberName());
    }

private:
    static LRESULT CALLBACK subclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR data) noexcept {
        const auto& self = *reinterpret_cast<const TextBoxControl*>(data);
        if (!self.showing_ && (message == WM_SETTEXT || message == EM_REPLACESEL)) return FALSE;
        return DefSubclassProc(window, message, wParam, lParam);
    }

    ui::TextBox& textBox_;
    bool showing_ = false;
};

}  // namespace

std::unique_ptr<ControlView> createTextBox(ui::TextBox& textBox, const ChildPlacement& placement) {
    DWORD style = ES_LEFT;
    if (textBox.multiLine())
        style |= ES_MULTILINE | ES_AUTOVSCROLL;
    else
        style |= ES_AUTOHSCROLL;
    if (textBox.locked()) style |= ES_READONLY;
    const ui::ScrollBars bars = textBox.scrollBars();
    if (bars == ui::ScrollBars::Vertical || bars == ui::ScrollBars::Both) style |= WS_VSCROLL;
    if (bars == ui::ScrollBars::Horizontal || bars == ui::ScrollBars::Both) style |= WS_HSCROLL;
    HWND window = createChild(textBox, L"EDIT", widen(textBox.Text()), style, WS_EX_CLIENTEDGE,
                              createNameLabel(textBox, placement));
    return std::make_unique<TextBoxControl>(textBox, window);
}

}  // namespace temperament::win32
