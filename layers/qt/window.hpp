#pragma once
// MainForm on screen: a fixed-size top-level window with one native widget
// per control, kept in step with the model, passing the user's clicks to the
// run-time's dispatcher.

#include "layers/qt/control_view.hpp"
#include "runtime/dispatcher.hpp"
#include "ui/main_form.hpp"
#include "ui/user_actions.hpp"

#include <QWidget>

#include <memory>
#include <span>
#include <unordered_map>

namespace temperament::qt {

class Window final : public QWidget, private ui::FormObserver {
public:
    Window(ui::MainForm& form, runtime::Dispatcher& dispatcher);
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // The widget that shows `control`.
    [[nodiscard]] QWidget& widgetOf(const ui::Control& control) const;

    // Shows the window centred on its screen, the focus in the first shown
    // control of the tab order.
    void showCentred();

protected:
    // A change of the platform's palette (ApplicationPaletteChange) repaints
    // the window in the colours the contrast rule now chooses.
    bool event(QEvent* event) override;
    // Tab and Shift+Tab, from any widget of the window: the keyboard contract's
    // next stop, which never chooses.
    bool focusNextPrevChild(bool next) override;
    // The arrow keys the option buttons and the boxes leave to the window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void changed(std::span<const ui::Change> changes) override;
    // The control whose widget has the focus, or null.
    [[nodiscard]] ui::Control* focusedControl() const;
    [[nodiscard]] ControlView& viewOf(const ui::Control& control) const;
    void userClicked(ui::Control& control);
    void paintAllColours();
    void chainTabOrder();
    void focusFirstControl();

    ui::MainForm& form_;
    ui::UserActions user_;
    std::unordered_map<const ui::Control*, std::unique_ptr<ControlView>> views_;
};

// Gives the Window its accessible interface: a frame named by its title.
// Once per process; later calls do nothing.
void installAccessibleWindow();

}  // namespace temperament::qt
