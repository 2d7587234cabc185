#include "layers/headless/window.hpp"

#include "ui/main_form.hpp"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace temperament::headless {
namespace {

constexpr std::array<std::pair<Key, std::string_view>, 8> keyNames = {{
    {Key::Tab, "Tab"},
    {Key::ShiftTab, "Shift+Tab"},
    {Key::Space, "Space"},
    {Key::Up, "Up"},
    {Key::Down, "Down"},
    {Key::Left, "Left"},
    {Key::Right, "Right"},
    {Key::Escape, "Escape"},
}};

bool isOption(const ui::Control* control) {
    return control != nullptr && control->kind() == ui::ControlKind::OptionButton;
}
}  // namespace

std::string_view keyName(Key key) noexcept {
    for (const auto& [each, name] : keyNames) {
        if (each == key) return name;
    }
    return "?";
}

std::optional<Key> keyNamed(std::string_view name) noexcept {
    for (const auto& [key, each] : keyNames) {
        if (each == name) return key;
    }
    return std::nullopt;
}

Window::Window(ui::MainForm& form, runtime::Dispatcher& dispatcher) : form_(form), user_(form, dispatcher) {
    for (ui::Control* control : form.tabOrder()) {
        if (control->Visible() && ui::takesFocus(control->kind())) {
            focus_ = control;
            break;
        }
    }
}

runtime::Continuation Window::click(ui::Control& control) {
    if (ui::takesFocus(control.kind())) focus_ = &control;
    return user_.clicked(control);
}

runtime::Continuation Window::act(ui::Control& control) { return user_.clicked(control); }

runtime::Continuation Window::press(Key key) {
    switch (key) {
    case Key::Tab:
    case Key::ShiftTab:
        if (ui::Control* next = form_.nextTabStop(focus_, key == Key::ShiftTab)) focus_ = next;
        break;
    case Key::Space:
        // A text box or a list box takes Space for itself: no Click.
        if (isOption(focus_) || (focus_ != nullptr && focus_->kind() == ui::ControlKind::CheckBox))
            return user_.clicked(*focus_);
        break;
    case Key::Up:
    case Key::Down:
    case Key::Left:
    case Key::Right:
        if (!isOption(focus_)) break;
        focus_ = &form_.neighbour(*ui::as<ui::OptionButton>(*focus_), key == Key::Up || key == Key::Left);
        return user_.clicked(*focus_);
    case Key::Escape: break;  // the window has no Cancel: it stays open
    }
    return user_.ended() ? runtime::Continuation::Ended : runtime::Continuation::Running;
}

Screen Window::screen() const { return screenOf(form_, focus_ == nullptr ? std::string() : focus_->memberName()); }

}  // namespace temperament::headless
