#include "ui/user_actions.hpp"

namespace temperament::ui {

runtime::Continuation UserActions::clicked(Control& control) {
    if (handling_ || !control.Visible()) return ended() ? runtime::Continuation::Ended : runtime::Continuation::Running;
    handling_ = true;
    const runtime::Continuation result = dispatcher_.dispatch([&] { form_.changeTogether([&] { act(control); }); });
    handling_ = false;
    return result;
}

void UserActions::act(Control& control) {
    if (auto* box = as<CheckBox>(control)) {
        // The new Value raises the box's Click.
        box->Value(box->Value() == CheckBox::Checked ? CheckBox::Unchecked : CheckBox::Checked);
        return;
    }
    if (auto* option = as<OptionButton>(control)) form_.select(*option);
    control.raiseClick();
}

}  // namespace temperament::ui
