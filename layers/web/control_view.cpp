#include "layers/web/control_view.hpp"

#include <stdexcept>

namespace temperament::web {

void ControlView::show(bool shown) {
    // Only a change is written: taking the page over changes nothing shown.
    const bool hidden = !shown;
    if (element_["hidden"].as<bool>() == hidden) return;
    element_.set("hidden", val(hidden));
}

std::unique_ptr<ControlView> createView(ui::Control& control, const val& element, const UserClick& clicked,
                                        const Failure& failed) {
    return ui::visit(control,
                     ui::Overloaded{
                         [&](ui::PictureBox& box) { return createPictureBoxView(box, element, failed); },
                         [&](ui::Label&) { return createLabelView(element); },
                         [&](ui::TextBox& box) { return createTextBoxView(box, element); },
                         [&](ui::CheckBox& box) { return createCheckBoxView(box, element, clicked); },
                         [&](ui::OptionButton& option) { return createOptionButtonView(option, element, clicked); },
                         [&](ui::ListBox&) { return createListBoxView(element); },
                     });
}

Captioned captionedParts(const ui::Control& control, const val& label) {
    Captioned parts{label, querySelector(label, "input"), querySelector(label, "span")};
    if (parts.input.isNull() || parts.caption.isNull()) {
        throw std::runtime_error("the page's element for " + control.memberName() + " has no input or no caption");
    }
    return parts;
}

}  // namespace temperament::web
