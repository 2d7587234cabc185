#pragma once
// The one entry point through which every windowing layer reports what the
// user did, and the one rule for it: a click on an option button selects it,
// a click on a check box toggles it (checked to unchecked, anything else to
// checked); then the control's Click is raised exactly once, through the
// run-time's dispatch boundary. A check box's new Value raises that Click
// itself, nested in the assignment, and no second one. The layer's observers
// hear of the changes once the handlers are done. A layer's controls never
// change their own state: the layer calls clicked() and shows what the
// model then holds.

#include "runtime/dispatcher.hpp"
#include "ui/main_form.hpp"

namespace temperament::ui {

class UserActions {
public:
    UserActions(MainForm& form, runtime::Dispatcher& dispatcher) : form_(form), dispatcher_(dispatcher) {}

    // The user clicked `control`, chose it with the keyboard (Space, an arrow
    // key in the option group) or through an accessibility action. Two calls
    // are not the user's and are ignored, so that no layer needs to guard
    // against them: one made while a handler runs (a toolkit echoing the
    // program's own change), and one on a hidden control (a click the
    // toolkit delivers after the program has hidden the control).
    runtime::Continuation clicked(Control& control);

    [[nodiscard]] bool ended() const noexcept { return dispatcher_.ended(); }
    [[nodiscard]] int exitStatus() const noexcept { return dispatcher_.exitStatus(); }

private:
    void act(Control& control);

    MainForm& form_;
    runtime::Dispatcher& dispatcher_;
    bool handling_ = false;
};

}  // namespace temperament::ui
