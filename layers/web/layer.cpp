#include "layers/web/layer.hpp"

#include "runtime/platform_layer.hpp"

#include <emscripten/emscripten.h>

#include <string>

namespace temperament::web {

int Layer::run(ui::MainForm& form, runtime::Dispatcher& dispatcher) {
    window_ = std::make_unique<Window>(form, dispatcher);
    // Leaves main() without ending the program or running any destructor:
    // the form and this layer stay on the heap while the page is open.
    emscripten_exit_with_live_runtime();
}

void Layer::report(std::string_view message) {
    val::global("console").call<void>("error", val(std::string(message)));
    val dialog = createElement("dialog");
    val heading = createElement("h2");
    heading.set("textContent", val("Грешка"));
    val text = createElement("p");
    text.set("textContent", val(std::string(message)));
    val end = createElement("p");
    end.set("textContent", val("Програмата спря."));
    val form = createElement("form");
    form.set("method", val("dialog"));
    val close = createElement("button");
    close.set("textContent", val("OK"));
    form.call<void>("append", close);
    dialog.call<void>("append", heading, text, end, form);
    document()["body"].call<void>("append", dialog);
    dialog.call<void>("showModal");
    if (window_) window_->end();
}

}  // namespace temperament::web

namespace temperament::runtime {

std::unique_ptr<WindowingLayer> createPlatformLayer() { return std::make_unique<web::Layer>(); }

}  // namespace temperament::runtime
