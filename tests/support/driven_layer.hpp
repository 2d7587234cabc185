#pragma once
// The one windowing layer of the tests and the benchmarks: in place of a
// message loop, a script drives the loaded form (through a window of a real
// layer, or through ui::UserActions alone); what the run-time reports is kept.

#include "runtime/start.hpp"
#include "ui/main_form.hpp"
#include "ui/user_actions.hpp"

#include <functional>
#include <string>
#include <vector>

namespace temperament::test_support {

class DrivenLayer final : public runtime::WindowingLayer, private runtime::ErrorReporter {
public:
    using Script = std::function<void(ui::MainForm&, runtime::Dispatcher&)>;

    // A script that acts through ui::UserActions alone.
    using UserScript = std::function<void(ui::MainForm&, ui::UserActions&)>;

    explicit DrivenLayer(Script script = {}) : script_(std::move(script)) {}
    explicit DrivenLayer(UserScript script)
        : script_([script = std::move(script)](ui::MainForm& form, runtime::Dispatcher& dispatcher) {
              ui::UserActions user(form, dispatcher);
              script(form, user);
          }) {}

    runtime::ErrorReporter& reporter() override { return *this; }
    int run(ui::MainForm& form, runtime::Dispatcher& dispatcher) override {
        if (script_) script_(form, dispatcher);
        return dispatcher.exitStatus();
    }

    [[nodiscard]] const std::vector<std::string>& reports() const { return reports_; }

private:
    void report(std::string_view message) override { reports_.emplace_back(message); }

    Script script_;
    std::vector<std::string> reports_;
};

}  // namespace temperament::test_support
