#include "support/headless_driver.hpp"

#include "app/project.hpp"
#include "runtime/start.hpp"

#include <stdexcept>

namespace temperament::test_support {
namespace {

class HeadlessDriver final : public ScreenDriver {
public:
    HeadlessDriver(const ui::MainForm& form, headless::Window& window) : form_(form), window_(window) {}

    void click(const std::string& member) override { check(window_.click(controlNamed(form_, member))); }
    void press(headless::Key key) override { check(window_.press(key)); }
    headless::Screen read() override { return window_.screen(); }

private:
    static void check(runtime::Continuation continuation) {
        if (continuation == runtime::Continuation::Ended) throw std::runtime_error("the program ended");
    }

    const ui::MainForm& form_;
    headless::Window& window_;
};

class DrivenWindowLayer final : public runtime::WindowingLayer, private runtime::ErrorReporter {
public:
    explicit DrivenWindowLayer(const std::function<void(ScreenDriver&)>& body) : body_(body) {}

    runtime::ErrorReporter& reporter() override { return *this; }
    int run(ui::MainForm& form, runtime::Dispatcher& dispatcher) override {
        headless::Window window(form, dispatcher);
        HeadlessDriver driver(form, window);
        body_(driver);
        return dispatcher.exitStatus();
    }

private:
    void report(std::string_view message) override { reports_ += std::string(message) + '\n'; }

    const std::function<void(ScreenDriver&)>& body_;

public:
    std::string reports_;
};

}  // namespace

void withHeadlessWindow(const std::function<void(ScreenDriver&)>& body) {
    DrivenWindowLayer layer(body);
    const int status = runtime::run(app::describeProject(), layer);
    if (status != 0 || !layer.reports_.empty())
        throw std::runtime_error("the program ended with status " + std::to_string(status) + ": " + layer.reports_);
}

}  // namespace temperament::test_support
