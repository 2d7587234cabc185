#pragma once
// The native widget that shows one control of the model, and how it follows
// the model's changes.

#include "ui/control_model.hpp"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QWidget>

#include <functional>
#include <memory>
#include <utility>

namespace temperament::qt {

// The arrow keys: the window's, not a button's (see Window::keyPressEvent).
inline bool isArrowKey(int key) {
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right;
}

// What every ModelButton is, whatever its Qt class: its accessible interface
// is ours (accessible_button.cpp).
class UserButton {
public:
    virtual ~UserButton() = default;
    UserButton() = default;
    UserButton(const UserButton&) = delete;
    UserButton& operator=(const UserButton&) = delete;
};

// A check box or radio button whose state is the model's: a click or Space
// does not change the button itself but tells the window, and the model's new
// state comes back through the view. The arrow keys go on to the window. Its
// accessible actions click it the same way.
template <class Button>
class ModelButton final : public Button, public UserButton {
public:
    ModelButton(std::function<void()> userClick, QWidget* parent) : Button(parent), userClick_(std::move(userClick)) {
        useButtonStyle(*this);
        // A click that does not change the state (an option button already
        // chosen) is told here; any other in nextCheckState.
        QObject::connect(this, &QAbstractButton::clicked, this, [this] {
            if (!std::exchange(told_, false)) userClick_();
        });
    }

protected:
    // Where Qt toggles the button itself, before it repaints it and emits
    // clicked: the model's answer is then shown in that one frame, not one
    // frame later.
    void nextCheckState() override {
        told_ = true;
        userClick_();
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (isArrowKey(event->key())) {
            event->ignore();
            return;
        }
        Button::keyPressEvent(event);
    }

private:
    std::function<void()> userClick_;
    bool told_ = false;  // nextCheckState told this click
};

// Gives `button` a style of its own, deleted with it, that draws its keyboard
// focus as a frame in its text colour, and, told so, traces its check mark's
// ring or box in that colour too (button_style.cpp).
void useButtonStyle(QAbstractButton& button);
void traceCheckMark(QAbstractButton& button, bool traced);

// Gives every ModelButton its accessible interface, whose actions (Toggle,
// Press) click the button instead of toggling it behind the model's back.
// Once per process; later calls do nothing.
void installAccessibleButtons();
// Tells screen readers the button's new name (its caption), after setText().
void announceNewName(QAbstractButton& button);

// Tells the window that the user clicked a control.
using UserClick = std::function<void(ui::Control&)>;

class ControlView {
public:
    virtual ~ControlView() = default;
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    [[nodiscard]] QWidget& widget() const noexcept { return widget_; }
    // Follows the model's new value of `property`; the window then shows or
    // hides the widget itself.
    virtual void refresh(ui::Property property) = 0;

protected:
    explicit ControlView(QWidget& widget) : widget_(widget) {}

private:
    QWidget& widget_;  // owned by the window, its parent
};

// The widget for `control`, a child of `parent`, placed, coloured and shown as
// the design data says.
[[nodiscard]] std::unique_ptr<ControlView> createView(ui::Control& control, QWidget& parent, const UserClick& clicked);

// Colours the widget of `control` (or the window, with its designed
// background) in the pair the contrast rule (ui/contrast.hpp) chooses from its
// designed background and the platform's palette for its class: window text
// on window where the design gives a background, text on base for a text box
// (a document). The other widgets keep the platform's colours. Asked again
// when the platform's palette changes.
void paintColours(QWidget& widget, const ui::Control& control);
void paintColours(QWidget& window, std::uint32_t designed);

// One per control kind.
[[nodiscard]] std::unique_ptr<ControlView> createPictureBoxView(ui::PictureBox& control, QWidget& parent);
[[nodiscard]] std::unique_ptr<ControlView> createLabelView(ui::Label& control, QWidget& parent);
[[nodiscard]] std::unique_ptr<ControlView> createTextBoxView(ui::TextBox& control, QWidget& parent);
[[nodiscard]] std::unique_ptr<ControlView> createCheckBoxView(ui::CheckBox& control, QWidget& parent,
                                                              const UserClick& clicked);
[[nodiscard]] std::unique_ptr<ControlView> createOptionButtonView(ui::OptionButton& control, QWidget& parent,
                                                                  const UserClick& clicked);
[[nodiscard]] std::unique_ptr<ControlView> createListBoxView(ui::ListBox& control, QWidget& parent);

}  // namespace temperament::qt
