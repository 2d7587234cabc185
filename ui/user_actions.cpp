#include "ui/user_actions.hpp"

#include <stdexcept>

namespace temperament::ui {

runtime::Continuation UserActions::clicked(Control& control) {
    if (handling_) return dispatcher_.ended() ? runtime::Continuation::Ended : runtime::Continuation::Running;
    handling_ = true;
    const runtime::Continuation result = dispatcher_.dispatch([&] {
        if (!control.Visible()) {
            throw std::logic_error("the user cannot click " + control.memberName() + ": it is hidden");
        }
        if (auto* box = as<CheckBox>(control)) {
            // The new Value raises the box's Click.
            box->Value(box->Value() == CheckBox::Checked ? CheckBox::Unchecked : CheckBox::Checked);
            return;
        }
        if (auto* option = as<OptionButton>(control)) form_.select(*option);
        control.raiseClick();
    });
    handling_ = false;
    return result;
}

}  // namespace temperament::ui
