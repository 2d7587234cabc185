#include "runtime/dispatcher.hpp"

#include "ui/main_form.hpp"

#include <exception>
#include <stdexcept>

namespace temperament::runtime {

Continuation Dispatcher::load(const LoadHandler& formLoad) {
    return dispatch([&] {
        if (loaded_) throw std::logic_error("Load is raised once only");
        loaded_ = true;
        if (formLoad) formLoad(form_);
    });
}

Continuation Dispatcher::userClicked(ui::Control& control) {
    return dispatch([&] {
        if (!control.Visible()) {
            throw std::logic_error("the user cannot click " + control.memberName() + ": it is hidden");
        }
        if (auto* box = dynamic_cast<ui::CheckBox*>(&control)) {
            // Setting a new Value raises the box's Click.
            box->Value(box->Value() == ui::CheckBox::Checked ? ui::CheckBox::Unchecked : ui::CheckBox::Checked);
            return;
        }
        if (auto* option = dynamic_cast<ui::OptionButton*>(&control)) form_.select(*option);
        control.raiseClick();
    });
}

Continuation Dispatcher::dispatch(const std::function<void()>& event) {
    if (ended_) return Continuation::Ended;
    try {
        event();
        return Continuation::Running;
    } catch (const std::exception& error) {
        reporter_.report(error.what());
    } catch (...) {
        reporter_.report("Неизвестна грешка при изпълнение");
    }
    ended_ = true;
    return Continuation::Ended;
}

}  // namespace temperament::runtime
