// The check box: a native checkbox whose state is the model's. A click (the
// mouse, Space, a screen reader) tells the window, which has the model toggle
// the box; the new Value then comes back here. So a value the program sets
// is shown without being taken for a user's click.

#include "layers/web/control_view.hpp"

namespace temperament::web {
namespace {

class CheckBoxView final : public ControlView {
public:
    CheckBoxView(ui::CheckBox& control, Captioned made, const UserClick& clicked)
        : ControlView(made.label, made.input, "flex"),
          control_(control),
          made_(std::move(made)),
          clicks_(control, clicked) {
        listen(made_.input, "click", clicks_);
        refresh(ui::Property::Caption);
        refresh(ui::Property::Value);
    }

    void refresh(ui::Property property) override {
        if (property == ui::Property::Caption) made_.caption.set("textContent", val(control_.Caption()));
        if (property == ui::Property::Value) {
            made_.input.set("checked", val(control_.Value() == ui::CheckBox::Checked));
            made_.input.set("indeterminate", val(control_.Value() == ui::CheckBox::Grayed));
        }
    }

private:
    ui::CheckBox& control_;
    Captioned made_;
    ClickListener clicks_;
};

}  // namespace

std::unique_ptr<ControlView> createCheckBoxView(ui::CheckBox& control, const UserClick& clicked) {
    return std::make_unique<CheckBoxView>(control, createCaptioned("checkbox"), clicked);
}

}  // namespace temperament::web
