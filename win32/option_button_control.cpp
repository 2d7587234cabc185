// Option button: a BUTTON that never selects itself (BS_RADIOBUTTON, not the
// AUTO style). The user's click, or the arrow key that moves to it, reaches
// the dispatcher as BN_CLICKED; the check mark follows the model only.

#include "win32/native_control.hpp"
#include "win32/wide_text.hpp"

namespace temperament::win32 {
namespace {

class OptionButtonControl final : public NativeControl {
public:
    OptionButtonControl(ui::OptionButton& option, HWND window) : NativeControl(option, window), option_(option) {
        showValue();
    }

    void update(ui::Property property) override {
        if (property == ui::Property::Value) {
            showValue();
            return;
        }
        NativeControl::update(property);
    }
    [[nodiscard]] bool takesClicks() const noexcept override { return true; }
    [[nodiscard]] bool selected() const noexcept { return option_.Value(); }

private:
    void showValue() const {
        SendMessageW(handle(), BM_SETCHECK, option_.Value() ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    ui::OptionButton& option_;
};

}  // namespace

std::unique_ptr<NativeControl> createOptionButton(ui::OptionButton& option, const ChildPlacement& placement) {
    HWND window = createChild(option, L"BUTTON", widen(option.Caption()), BS_RADIOBUTTON, 0, placement);
    return std::make_unique<OptionButtonControl>(option, window);
}

void updateOptionTabStops(const std::vector<NativeControl*>& options) {
    bool anySelected = false;
    for (const NativeControl* option : options) {
        anySelected = anySelected || static_cast<const OptionButtonControl*>(option)->selected();
    }
    bool first = true;
    for (const NativeControl* option : options) {
        const bool stop = anySelected ? static_cast<const OptionButtonControl*>(option)->selected() : first;
        first = false;
        const LONG_PTR style = GetWindowLongPtrW(option->handle(), GWL_STYLE);
        SetWindowLongPtrW(option->handle(), GWL_STYLE, stop ? (style | WS_TABSTOP) : (style & ~LONG_PTR{WS_TABSTOP}));
    }
}

}  // namespace temperament::win32
