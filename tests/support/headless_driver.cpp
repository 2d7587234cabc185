#include "support/headless_driver.hpp"

#include "app/project.hpp"
#include "support/driven_layer.hpp"

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

}  // namespace

void withHeadlessWindow(const std::function<void(ScreenDriver&)>& body) {
    std::vector<std::string> clicks;
    DrivenLayer layer([&](ui::MainForm& form, runtime::Dispatcher& dispatcher) {
        headless::Window window(form, dispatcher);
        clicks.clear();  // those of Form_Load
        HeadlessDriver driver(form, window, clicks);
        body(driver);
    });
    const int status = runtime::run(logClicks(app::describeProject(), clicks), layer);
    if (status != 0 || !layer.reports().empty()) {
        throw std::runtime_error("the program ended with status " + std::to_string(status) + ": " +
                                 (layer.reports().empty() ? "" : layer.reports().front()));
    }
}

}  // namespace temperament::test_support
