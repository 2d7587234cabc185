#pragma once
// The run-time's one dispatch boundary. Every event (Load, and each user
// action a windowing layer reports) runs through it; an error that escapes a
// handler is reported here and ends the program.

#include "runtime/error_reporter.hpp"
#include "runtime/project_description.hpp"

#include <functional>

namespace temperament::ui {
class Control;
class MainForm;
}  // namespace temperament::ui

namespace temperament::runtime {

enum class [[nodiscard]] Continuation{Running, Ended};

class Dispatcher {
public:
    Dispatcher(ui::MainForm& form, ErrorReporter& reporter) : form_(form), reporter_(reporter) {}

    // Raises Load once.
    Continuation load(const LoadHandler& formLoad);

    // The one entry point for user actions: the user clicked `control`. An
    // option button becomes the selected one, a check box toggles (1 to 0,
    // otherwise to 1); then the control's Click is raised exactly once.
    Continuation userClicked(ui::Control& control);

    // Runs `event`; an error escaping it is reported and ends the program.
    Continuation dispatch(const std::function<void()>& event);

    [[nodiscard]] bool ended() const noexcept { return ended_; }
    // 0 while running or after a normal end; failureStatus after an error.
    [[nodiscard]] int exitStatus() const noexcept { return ended_ ? failureStatus : 0; }

private:
    ui::MainForm& form_;
    ErrorReporter& reporter_;
    bool ended_ = false;
    bool loaded_ = false;
};

}  // namespace temperament::runtime
