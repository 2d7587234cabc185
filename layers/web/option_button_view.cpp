// The option button: a native radio button of the group's name, whose choice
// is the model's. As with the check box, a click tells the window, and the
// model's new selection comes back here. The window takes the arrow keys
// from the browser, which would move the choice itself.

#include "layers/web/control_view.hpp"

namespace temperament::web {
namespace {

class OptionButtonView final : public ControlView {
public:
    OptionButtonView(ui::OptionButton& control, Captioned made, const UserClick& clicked)
        : ControlView(made.label, made.input, "flex"),
          control_(control),
          made_(std::move(made)),
          clicks_(control, clicked) {
        made_.input.set("name", val(control_.Name()));
        made_.caption.set("textContent", val(control_.Caption()));
        listen(made_.input, "click", clicks_);
        refresh(ui::Property::Value);
    }

    void refresh(ui::Property property) override {
        if (property == ui::Property::Value) made_.input.set("checked", val(control_.Value()));
    }

private:
    ui::OptionButton& control_;
    Captioned made_;
    ClickListener clicks_;
};

}  // namespace

std::unique_ptr<ControlView> createOptionButtonView(ui::OptionButton& control, const UserClick& clicked) {
    return std::make_unique<OptionButtonView>(control, createCaptioned("radio"), clicked);
}

}  // namespace temperament::web
