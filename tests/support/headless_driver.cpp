#include "support/headless_driver.hpp"

#include "app/project.hpp"
#include "support/driven_layer.hpp"

#include <stdexcept>
#include <utility>

namespace temperament::test_support {
namespace {

void check(runtime::Continuation continuation) {
    if (continuation == runtime::Continuation::Ended) throw std::runtime_error("the program ended");
}

class HeadlessDriver final : public ScreenDriver {
public:
    HeadlessDriver(const ui::MainForm& form, headless::Window& window, std::vector<std::string>& clicks)
        : form_(form), window_(window), clicks_(clicks) {}

    void click(const std::string& member) override { check(window_.click(controlNamed(form_, member))); }
    void press(headless::Key key) override { check(window_.press(key)); }
    headless::Screen read() override { return window_.screen(); }
    std::optional<std::vector<std::string>> takeClicks() override { return std::exchange(clicks_, {}); }

private:
    const ui::MainForm& form_;
    headless::Window& window_;
    std::vector<std::string>& clicks_;
};

// Starts the program with the screenless window and gives `body` its form and window.
void withHeadless(const std::function<void(ui::MainForm&, headless::Window&)>& body, std::vector<std::string>& clicks) {
    DrivenLayer layer([&](ui::MainForm& form, runtime::Dispatcher& dispatcher) {
        headless::Window window(form, dispatcher);
        clicks.clear();  // those of Form_Load
        body(form, window);
    });
    const int status = runtime::run(logClicks(app::describeProject(), clicks), layer);
    if (status != 0 || !layer.reports().empty()) {
        throw std::runtime_error("the program ended with status " + std::to_string(status) + ": " +
                                 (layer.reports().empty() ? "" : layer.reports().front()));
    }
}

// The shown control a screen reader calls `name`.
ui::Control& shownNamed(const ui::MainForm& form, const std::string& name) {
    for (ui::Control* control : form.controls()) {
        if (control->Visible() && accessibleNameOf(*control) == name) return *control;
    }
    throw std::runtime_error("no shown control is named \"" + name + '"');
}

}  // namespace

void withHeadlessWindow(const std::function<void(ScreenDriver&)>& body) {
    std::vector<std::string> clicks;
    withHeadless(
        [&](ui::MainForm& form, headless::Window& window) {
            HeadlessDriver driver(form, window, clicks);
            body(driver);
        },
        clicks);
}

AccessibleScenario headlessTrees(AccessibleScenario scenario) {
    std::vector<std::string> clicks;
    withHeadless(
        [&](ui::MainForm& form, headless::Window& window) {
            for (AccessibleStep& step : scenario.steps) {
                const TreeAction action = parseTreeAction(step.action);
                switch (action.kind) {
                case TreeAction::Kind::Start: break;
                case TreeAction::Kind::Key: check(window.press(action.key)); break;
                case TreeAction::Kind::Click: check(window.click(shownNamed(form, action.name))); break;
                case TreeAction::Kind::Toggle:
                case TreeAction::Kind::Press: check(window.act(shownNamed(form, action.name))); break;
                }
                step.lines = treeOf(form, window.screen().focus);
            }
        },
        clicks);
    return scenario;
}

}  // namespace temperament::test_support
