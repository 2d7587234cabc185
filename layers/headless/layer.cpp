#include "layers/headless/layer.hpp"

#include "layers/headless/window.hpp"

#include <ostream>

namespace temperament::headless {

int Layer::run(ui::MainForm& form, runtime::Dispatcher& dispatcher) {
    const Window window(form, dispatcher);
    screen_ << format(window.screen()) << std::flush;
    return dispatcher.exitStatus();
}

void Layer::report(std::string_view message) { errors_ << message << std::endl; }

}  // namespace temperament::headless
