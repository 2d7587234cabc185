// The program as shipped, for the browser tests: each Click handler is logged,
// so that the tests see which handlers a user action ran, as the other layers'
// tests do; and a test can have the next handler fail with a real run-time
// error, to see how the page reports it. The page's script offers both as
// Module.takeClicks() and Module.failNextClick().

#include "app/project.hpp"
#include "runtime/platform_layer.hpp"
#include "support/screens.hpp"

#include <emscripten/bind.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using namespace temperament;

std::vector<std::string>& clicks() {
    static std::vector<std::string> log;
    return log;
}
bool failNext = false;

// The handlers run since the last call, as a step's "Clicks" line names them.
std::string takeClicks() {
    std::string text = test_support::clicksText(clicks());
    clicks().clear();
    return text;
}

void failNextClick() { failNext = true; }

EMSCRIPTEN_BINDINGS(logged_program) {
    emscripten::function("takeClicks", &takeClicks);
    emscripten::function("failNextClick", &failNextClick);
}

}  // namespace

int main() {
    runtime::start(test_support::aroundClicks(app::describeProject(),
                                              [](const std::string& click, ui::MainForm& form, const auto& handler) {
                                                  // A group has no member 7: the lookup raises the run-time error.
                                                  if (std::exchange(failNext, false))
                                                      (void)form.Check1().Item(runtime::Int16{7});
                                                  clicks().push_back(click);
                                                  handler();
                                              }),
                   runtime::createPlatformLayer);
}
