// The option button: a native radio button of the group's name, whose choice
// is the model's. As with the check box, a click tells the window, and the
// model's new selection comes back here. The window takes the arrow keys
// from the browser, which would move the choice itself.

#include "layers/web/control_view.hpp"

namespace temperament::web {
namespace {

class OptionButtonView final : public ControlView {
public:
    OptionButtonView(ui::OptionButton& control, Captioned parts, const UserClick& clicked)
        : ControlView(parts.label, parts.input),
          control_(control),
          parts_(std::move(parts)),
          clicks_(control, clicked) {
        listen(parts_.input, "click", clicks_);
    }

    void refresh(ui::Property property) override {
        if (property == ui::Property::Value) parts_.input.set("checked", val(control_.Value()));
    }

    [[nodiscard]] bool changedByUser() const override { return parts_.input["checked"].as<bool>() != control_.Value(); }

private:
    ui::OptionButton& control_;
    Captioned parts_;
    ClickListener clicks_;
};

}  // namespace

std::unique_ptr<ControlView> createOptionButtonView(ui::OptionButton& control, const val& element,
                                                    const UserClick& clicked) {
    return std::make_unique<OptionButtonView>(control, captionedParts(control, element), clicked);
}

}  // namespace temperament::web
