// The check box: a native checkbox whose state is the model's. A click (the
// mouse, Space, a screen reader) tells the window, which has the model toggle
// the box; the new Value then comes back here. So a value the program sets
// is shown without being taken for a user's click.

#include "layers/web/control_view.hpp"

namespace temperament::web {
namespace {

class CheckBoxView final : public ControlView {
public:
    CheckBoxView(ui::CheckBox& control, Captioned parts, const UserClick& clicked)
        : ControlView(parts.label, parts.input),
          control_(control),
          parts_(std::move(parts)),
          clicks_(control, clicked) {
        listen(parts_.input, "click", clicks_);
    }

    void refresh(ui::Property property) override {
        if (property == ui::Property::Caption) parts_.caption.set("textContent", val(control_.Caption()));
        if (property == ui::Property::Value) {
            parts_.input.set("checked", val(control_.Value() == ui::CheckBox::Checked));
            parts_.input.set("indeterminate", val(control_.Value() == ui::CheckBox::Grayed));
        }
    }

    [[nodiscard]] bool changedByUser() const override {
        return parts_.input["checked"].as<bool>() != (control_.Value() == ui::CheckBox::Checked);
    }

private:
    ui::CheckBox& control_;
    Captioned parts_;
    ClickListener clicks_;
};

}  // namespace

std::unique_ptr<ControlView> createCheckBoxView(ui::CheckBox& control, const val& element, const UserClick& clicked) {
    return std::make_unique<CheckBoxView>(control, captionedParts(control, element), clicked);
}

}  // namespace temperament::web
