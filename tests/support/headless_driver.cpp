#include "support/headless_driver.hpp"

#include "app/project.hpp"
#include "runtime/start.hpp"

#include <stdexcept>
#include <utility>

namespace temperament::test_support {
namespace {

class HeadlessDriver final : public ScreenDriver {
public:
    HeadlessDriver(const ui::MainForm& form, headless::Window& window, std::vector<std::string>& clicks)
        : form_(form), window_(window), clicks_(clicks) {}

    void click(const std::string& member) override { check(window_.click(controlNamed(form_, member))); }
    void press(headless::Key key) override { check(window_.press(key)); }
    headless::Screen read() override { return window_.screen(); }
    std::optional<std::vector<std::string>> takeClicks() override { return std::exchange(clicks_, {}); }

private:
    static void check(runtime::Continuation continuation) {
        if (continuation == runtime::Continuation::Ended) throw std::runtime_error("the program ended");
    }

    const ui::MainForm& form_;
    headless::Window& window_;
    std::vector<std::string>& clicks_;
};

class DrivenWindowLayer final : public runtime::WindowingLayer, private runtime::ErrorReporter {
public:
    explicit DrivenWindowLayer(const std::function<void(ScreenDriver&)>& body) : body_(body) {}

    runtime::ErrorReporter& reporter() override { return *this; }
    int run(ui::MainForm& form, runtime::Dispatcher& dispatcher) override {
        headless::Window window(form, dispatcher);
        clicks.clear();  // those of Form_Load
        HeadlessDriver driver(form, window, clicks);
        body_(driver);
        return dispatcher.exitStatus();
    }

    std::string reports;
    std::vector<std::string> clicks;

private:
    void report(std::string_view message) override { reports += std::string(message) + '\n'; }

    const std::function<void(ScreenDriver&)>& body_;
};

}  // namespace

void withHeadlessWindow(const std::function<void(ScreenDriver&)>& body) {
    DrivenWindowLayer layer(body);
    const int status = runtime::run(logClicks(app::describeProject(), layer.clicks), layer);
    if (status != 0 || !layer.reports.empty())
        throw std::runtime_error("the program ended with status " + std::to_string(status) + ": " + layer.reports);
}

}  // namespace temperament::test_support
