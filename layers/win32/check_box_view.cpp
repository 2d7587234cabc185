// Check box: a BUTTON that never toggles itself (BS_3STATE, not the AUTO
// style). A click goes to the dispatcher, and the state on screen is only ever
// the model's, set through refresh(); so a value the program sets cannot come
// back as a second Click.

#include "layers/win32/control_view.hpp"
#include "layers/win32/wide_text.hpp"
#include "layers/win32/win32_error.hpp"

namespace temperament::win32 {
namespace {

class CheckBoxControl final : public ControlView {
public:
    CheckBoxControl(ui::CheckBox& box, HWND window) : ControlView(box, window), box_(box) { showValue(); }

    void refresh(ui::Property property) override {
        if (property == ui::Property::Value) showValue();
        if (property == ui::Property::Caption && SetWindowTextW(handle(), widen(box_.Caption()).c_str()) == 0) {
            throwLastError("не може да се покаже надписът на " + box_.memberName());
        }
    }
    [[nodiscard]] bool takesClicks() const noexcept override { return true; }

private:
    void showValue() const {
        const int value = box_.Value().value();
        const WPARAM state = value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED;
        SendMessageW(handle(), BM_SETCHECK, state, 0);
    }

    ui::CheckBox& box_;
};

}  // namespace

std::unique_ptr<ControlView> createCheckBox(ui::CheckBox& checkBox, const ChildPlacement& placement) {
    HWND window = createChild(checkBox, L"BUTTON", widen(checkBox.Caption()), BS_3STATE, 0, placement);
    return std::make_unique<CheckBoxControl>(checkBox, window);
}

}  // namespace temperament::win32
