// The page's first screen, for the build: the program starts as it does in a
// browser (the same project, design data and Load), with a layer that
// writes its window as HTML and CSS instead of showing it. Compiled to
// WebAssembly for Node; make_page.mjs calls firstScreen() and writes the
// page with what it returns.

#include "app/project.hpp"
#include "layers/web/markup.hpp"
#include "runtime/start.hpp"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>

namespace temperament::web {
namespace {

using emscripten::val;

class MarkupLayer final : public runtime::WindowingLayer, private runtime::ErrorReporter {
public:
    runtime::ErrorReporter& reporter() override { return *this; }

    int run(ui::MainForm& form, runtime::Dispatcher&) override {
        page_ = val::object();
        page_.set("title", val(escapeHtml(form.Caption())));
        page_.set("window", val(windowHtml(form)));
        page_.set("style", val(windowCss(form)));
        const PageColours colours = pageColours(form);
        page_.set("background", val(colours.background));
        page_.set("theme", val(colours.theme));
        const auto icon = form.icon();
        // A copy: the view is of the WebAssembly heap.
        page_.set("icon", val::global("Uint8Array").new_(emscripten::typed_memory_view(icon.size(), icon.data())));
        return 0;
    }

    // {title, window, style, background, theme, icon}, or {error} when the
    // program could not start.
    [[nodiscard]] val page() const {
        if (!page_.isUndefined()) return page_;
        val failed = val::object();
        failed.set("error", val(error_.empty() ? std::string("the program showed no window") : error_));
        return failed;
    }

private:
    void report(std::string_view message) override { error_ = message; }

    val page_ = val::undefined();
    std::string error_;
};

val firstScreen() {
    MarkupLayer layer;
    (void)runtime::run(app::describeProject(), layer);
    return layer.page();
}

}  // namespace

EMSCRIPTEN_BINDINGS(first_screen) { emscripten::function("firstScreen", &firstScreen); }

}  // namespace temperament::web
