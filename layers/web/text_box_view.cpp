// The text box: a textarea wrapping at the box's width, with the designed
// scroll bars. A locked box is read-only, but its text can still be
// selected, copied and scrolled with mouse and keyboard.

#include "layers/web/control_view.hpp"
#include "layers/web/markup.hpp"

namespace temperament::web {
namespace {

class TextBoxView final : public ControlView {
public:
    TextBoxView(ui::TextBox& control, const val& area) : ControlView(area, area), control_(control) {}

    void refresh(ui::Property property) override {
        if (property != ui::Property::Text) return;
        val area = element();
        area.set("value", val(toDisplayText(control_.Text())));
        // New text is read from its start, as the other layers show it.
        area.call<void>("setSelectionRange", val(0), val(0));
        area.set("scrollTop", val(0));
    }

private:
    ui::TextBox& control_;
};

}  // namespace

std::unique_ptr<ControlView> createTextBoxView(ui::TextBox& control, const val& element) {
    return std::make_unique<TextBoxView>(control, element);
}

}  // namespace temperament::web
