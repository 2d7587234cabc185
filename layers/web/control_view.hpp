#pragma once
// The page element that shows one control of the model, and how it follows
// the model's changes. The elements come with the page (markup.hpp): a view
// takes over the one marked with its control's name.

#include "layers/web/dom.hpp"
#include "ui/control_model.hpp"

#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace temperament::web {

// Tells the window that the user clicked a control.
using UserClick = std::function<void(ui::Control&)>;
// Tells the window that showing a control failed: a run-time error.
using Failure = std::function<void(const std::string& what)>;

class ControlView {
public:
    virtual ~ControlView() = default;
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    // The element placed in the window, marked with the member's name.
    [[nodiscard]] val element() const { return element_; }
    // The element that takes the keyboard focus: a form control, or the element.
    [[nodiscard]] val focusTarget() const { return focusTarget_; }
    // Follows the model's new value of `property`; the window then shows or
    // hides the element itself.
    virtual void refresh(ui::Property property) = 0;
    // Whether the user changed the element before the program took the page
    // over (a choice made while the program was still loading).
    [[nodiscard]] virtual bool changedByUser() const { return false; }
    void show(bool shown);

protected:
    ControlView(val element, val focusTarget) : element_(std::move(element)), focusTarget_(std::move(focusTarget)) {}

private:
    val element_;
    val focusTarget_;
};

// The view of `control` over its `element` in the page.
[[nodiscard]] std::unique_ptr<ControlView> createView(ui::Control& control, const val& element,
                                                      const UserClick& clicked, const Failure& failed);

// One per control kind.
[[nodiscard]] std::unique_ptr<ControlView> createPictureBoxView(ui::PictureBox& control, const val& element,
                                                                const Failure& failed);
[[nodiscard]] std::unique_ptr<ControlView> createLabelView(const val& element);
[[nodiscard]] std::unique_ptr<ControlView> createTextBoxView(ui::TextBox& control, const val& element);
[[nodiscard]] std::unique_ptr<ControlView> createCheckBoxView(ui::CheckBox& control, const val& element,
                                                              const UserClick& clicked);
[[nodiscard]] std::unique_ptr<ControlView> createOptionButtonView(ui::OptionButton& control, const val& element,
                                                                  const UserClick& clicked);
[[nodiscard]] std::unique_ptr<ControlView> createListBoxView(const val& element);

// A check box or an option button: a native input and its caption in one
// label, so that a click on the caption is a click on the input.
struct Captioned {
    val label;
    val input;
    val caption;
};
// The parts of `label`; throws when the page's element lacks one.
[[nodiscard]] Captioned captionedParts(const ui::Control& control, const val& label);

// Hears the user's clicks on a check box or an option button: the mouse,
// Space, and a screen reader's action all arrive as a click.
class ClickListener final : public Listener {
public:
    ClickListener(ui::Control& control, UserClick clicked) : control_(control), clicked_(std::move(clicked)) {}
    bool handle(const val&) override {
        clicked_(control_);
        return false;  // see Window::userClicked: the model's state is shown after the click
    }

private:
    ui::Control& control_;
    UserClick clicked_;
};

}  // namespace temperament::web
