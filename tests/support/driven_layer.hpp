#pragma once
// A windowing layer for tests: no screen; its "message loop" is a script of
// user actions, and it keeps what the run-time reported.

#include "runtime/start.hpp"
#include "ui/main_form.hpp"
#include "ui/user_actions.hpp"

#include <functional>
#include <string>
#include <vector>

namespace temperament::test_support {

class DrivenLayer final : public runtime::WindowingLayer, private runtime::ErrorReporter {
public:
    using Script = std::function<void(ui::MainForm&, ui::UserActions&)>;

    explicit DrivenLayer(Script script = {}) : script_(std::move(script)) {}

    runtime::ErrorReporter& reporter() override { return *this; }
    int run(ui::MainForm& form, runtime::Dispatcher& dispatcher) override {
        ui::UserActions user(form, dispatcher);
        if (script_) script_(form, user);
        return dispatcher.exitStatus();
    }

    [[nodiscard]] const std::vector<std::string>& reports() const { return reports_; }

private:
    void report(std::string_view message) override { reports_.emplace_back(message); }

    Script script_;
    std::vector<std::string> reports_;
};

}  // namespace temperament::test_support
