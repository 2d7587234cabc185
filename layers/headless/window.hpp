#pragma once
// The window without a screen: the keyboard focus and what the user's mouse
// and keys do, by the keyboard contract that every layer keeps
// (docs/accessibility.md, "Keyboard"). It is the reference the expected
// screens are made from.

#include "layers/headless/screen.hpp"
#include "runtime/dispatcher.hpp"
#include "ui/user_actions.hpp"

#include <optional>
#include <string_view>

namespace temperament::headless {

enum class Key { Tab, ShiftTab, Space, Up, Down, Left, Right, Escape };

// "Tab", "Shift+Tab", "Space", "Up", "Down", "Left", "Right", "Escape".
[[nodiscard]] std::string_view keyName(Key key) noexcept;
[[nodiscard]] std::optional<Key> keyNamed(std::string_view name) noexcept;

class Window {
public:
    // The focus starts in the first shown control of the tab order that takes it.
    Window(ui::MainForm& form, runtime::Dispatcher& dispatcher);

    // A mouse click: the control takes the focus if it can, then the click.
    runtime::Continuation click(ui::Control& control);
    // An assistive technology's action on a button (toggle, press): the
    // click, the focus left where it is.
    runtime::Continuation act(ui::Control& control);
    runtime::Continuation press(Key key);

    [[nodiscard]] Screen screen() const;

private:
    ui::MainForm& form_;
    ui::UserActions user_;
    ui::Control* focus_ = nullptr;
};

}  // namespace temperament::headless
