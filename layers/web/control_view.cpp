#include "layers/web/control_view.hpp"

namespace temperament::web {
namespace {

std::unique_ptr<ControlView> createKindView(ui::Control& control, const UserClick& clicked, const Failure& failed) {
    return ui::visit(control, ui::Overloaded{
                                  [&](ui::PictureBox& box) { return createPictureBoxView(box, failed); },
                                  [&](ui::Label& label) { return createLabelView(label); },
                                  [&](ui::TextBox& box) { return createTextBoxView(box); },
                                  [&](ui::CheckBox& box) { return createCheckBoxView(box, clicked); },
                                  [&](ui::OptionButton& option) { return createOptionButtonView(option, clicked); },
                                  [&](ui::ListBox& list) { return createListBoxView(list); },
                              });
}

}  // namespace

std::unique_ptr<ControlView> createView(ui::Control& control, const UserClick& clicked, const Failure& failed) {
    std::unique_ptr<ControlView> view = createKindView(control, clicked, failed);
    const val element = view->element();
    element.call<void>("setAttribute", val("data-member"), val(control.memberName()));
    const ui::Rect& bounds = control.bounds();
    std::string css = "position: absolute; box-sizing: border-box; margin: 0; font: inherit; left: " + px(bounds.left) +
                      "; top: " + px(bounds.top) + "; width: " + px(bounds.width) + "; height: " + px(bounds.height) +
                      "; ";
    if (const auto colour = control.backColor()) css += "background-color: " + toCssColour(*colour) + "; ";
    addStyles(element, css);
    if (!control.accessibleName().empty())
        view->focusTarget().call<void>("setAttribute", val("aria-label"), val(control.accessibleName()));
    view->show(control.Visible());
    return view;
}

Captioned createCaptioned(const char* type) {
    Captioned made{createElement("label"), createElement("input"), createElement("span")};
    made.input.set("type", val(type));
    addStyles(made.input, "margin: 0 4px 0 3px; ");
    addStyles(made.caption, "white-space: pre; ");
    addStyles(made.label, "align-items: center; ");
    made.label.call<void>("append", made.input, made.caption);
    return made;
}

}  // namespace temperament::web
