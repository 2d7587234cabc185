#include "layers/web/layer.hpp"

#include "runtime/platform_layer.hpp"

#include <emscripten/emscripten.h>

#include <string>

namespace temperament::web {
namespace {

// The form and its window for as long as the document is open. main()
// returns to the browser long before, and WebAssembly's exceptions run the
// destructors of its stack as they unwind it, the start routine's share of
// the form and this layer among them: so the page's objects are kept here,
// the document's one, rather than on that stack. The run-time never exits
// in a page, so this is never destroyed.
class OpenPage final : public runtime::ErrorReporter {
public:
    void show(std::shared_ptr<ui::MainForm> form, const runtime::Dispatcher& dispatcher) {
        form_ = std::move(form);
        window_ = std::make_unique<Window>(*form_, dispatcher);
    }

    void report(std::string_view message) override {
        val::global("console").call<void>("error", val(std::string(message)));
        val dialog = createElement("dialog");
        val heading = createElement("h2");
        heading.set("textContent", val(std::string(runtime::reportTitle)));
        val text = createElement("p");
        text.set("textContent", val(std::string(message)));
        val end = createElement("p");
        end.set("textContent", val(std::string(runtime::reportClosing)));
        val form = createElement("form");
        form.set("method", val("dialog"));
        val close = createElement("button");
        close.set("textContent", val("OK"));
        form.call<void>("append", close);
        dialog.call<void>("append", heading, text, end, form);
        document()["body"].call<void>("append", dialog);
        // Browsers before dialogs (Safari 15.4, Firefox 98) show it as it is.
        if (dialog["showModal"].isUndefined()) {
            dialog.call<void>("setAttribute", val("open"), val(""));
        } else {
            dialog.call<void>("showModal");
        }
        if (window_) window_->end();
    }

private:
    std::shared_ptr<ui::MainForm> form_;
    std::unique_ptr<Window> window_;
};

OpenPage& openPage() {
    static OpenPage page;
    return page;
}

}  // namespace

runtime::ErrorReporter& Layer::reporter() { return openPage(); }

int Layer::run(ui::MainForm& form, runtime::Dispatcher& dispatcher) {
    openPage().show(form.shared_from_this(), dispatcher);
    // Leaves main() without ending the program.
    emscripten_exit_with_live_runtime();
}

}  // namespace temperament::web

namespace temperament::runtime {

std::unique_ptr<WindowingLayer> createPlatformLayer() { return std::make_unique<web::Layer>(); }

}  // namespace temperament::runtime
