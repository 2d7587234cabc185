// Text box: a multi-line EDIT; read-only when the design locks it.

#include "layers/win32/control_view.hpp"
#include "layers/win32/wide_text.hpp"
#include "layers/win32/win32_error.hpp"

namespace temperament::win32 {
namespace {

class TextBoxControl final : public ControlView {
public:
    TextBoxControl(ui::TextBox& textBox, HWND window) : ControlView(textBox, window), textBox_(textBox) {}

    void refresh(ui::Property property) override {
        if (property == ui::Property::Text) {
            if (SetWindowTextW(handle(), widen(textBox_.Text()).c_str()) == 0) {
                throwLastError("не може да се покаже текстът на " + textBox_.memberName());
            }
            return;
        }
        ControlView::refresh(property);
    }

    // A read-only EDIT asks for the static colours; it stays white like one the
    // user may type into.
    [[nodiscard]] std::optional<COLORREF> background() const override {
        if (auto designed = ControlView::background()) return designed;
        return GetSysColor(COLOR_WINDOW);
    }
    [[nodiscard]] COLORREF textColour() const override { return GetSysColor(COLOR_WINDOWTEXT); }

private:
    ui::TextBox& textBox_;
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
    HWND window = createChild(textBox, L"EDIT", widen(textBox.Text()), style, WS_EX_CLIENTEDGE, placement);
    return std::make_unique<TextBoxControl>(textBox, window);
}

}  // namespace temperament::win32
