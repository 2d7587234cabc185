#pragma once
// MainForm in the page: the page's window element (main), which the build
// wrote with one native element per control (markup.hpp), taken over and
// kept in step with the model, passing the user's clicks and keys to the
// run-time's dispatcher.

#include "layers/web/control_view.hpp"
#include "runtime/dispatcher.hpp"
#include "ui/main_form.hpp"
#include "ui/user_actions.hpp"

#include <memory>
#include <span>
#include <utility>
#include <vector>

namespace temperament::web {

class Window final : private ui::FormObserver, private Listener {
public:
    // The browser calls the page back after the start routine has returned
    // to it, so the window keeps its own copy of the run-time's dispatcher
    // (loaded, running: the same state) rather than a reference to it.
    Window(ui::MainForm& form, const runtime::Dispatcher& dispatcher);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Takes no more input: the program has ended.
    void end();

private:
    void changed(std::span<const ui::Change> changes) override;
    // The keys the keyboard contract gives the window: Tab, Shift+Tab, and the
    // arrows and Space in the option group.
    bool handle(const val& event) override;
    void userClicked(ui::Control& control);
    void failed(const std::string& what);
    void focus(const ui::Control& control) const;
    // The control whose element has the focus, or null.
    [[nodiscard]] ui::Control* focusedControl() const;
    [[nodiscard]] ControlView& viewOf(const ui::Control& control) const;

    // A press of the mouse button on a control that takes no focus (a label,
    // the picture) or on the window itself leaves the focus where it is, as
    // on the other layers; the browser would take it away.
    class KeepFocus final : public Listener {
    public:
        explicit KeepFocus(const Window& window) : window_(window) {}
        bool handle(const val& event) override;

    private:
        const Window& window_;
    };

    ui::MainForm& form_;
    runtime::Dispatcher dispatcher_;
    ui::UserActions user_;
    val element_;
    std::vector<std::pair<ui::Control*, std::unique_ptr<ControlView>>> views_;  // in tab order
    KeepFocus keepFocus_{*this};
    bool ended_ = false;
};

}  // namespace temperament::web
