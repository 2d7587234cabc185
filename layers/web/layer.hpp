#pragma once
// The windowing layer for web browsers: it shows the loaded form in the page
// and leaves the rest to the browser's event loop; it reports run-time errors
// in a modal dialog and on the console.

#include "layers/web/window.hpp"
#include "runtime/start.hpp"

#include <memory>

namespace temperament::web {

class Layer final : public runtime::WindowingLayer, private runtime::ErrorReporter {
public:
    runtime::ErrorReporter& reporter() override { return *this; }
    // Shows the window, then hands the page to the browser: it never returns.
    // The page has no end of its own; a run-time error ends the program by
    // taking the window's input away.
    int run(ui::MainForm& form, runtime::Dispatcher& dispatcher) override;

private:
    void report(std::string_view message) override;

    std::unique_ptr<Window> window_;
};

}  // namespace temperament::web
