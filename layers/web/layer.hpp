#pragma once
// The windowing layer for web browsers. The program's start routine runs in
// main(), which hands the page to the browser and returns; what the page
// shows must outlive it.

#include "layers/web/window.hpp"
#include "runtime/error_reporter.hpp"
#include "runtime/start.hpp"

#include <memory>

namespace temperament::web {

class Layer final : public runtime::WindowingLayer {
public:
    runtime::ErrorReporter& reporter() override;
    // Takes the page over, then hands it to the browser: it never returns.
    // The page has no end of its own; a run-time error ends the program by
    // taking the window's input away.
    int run(ui::MainForm& form, runtime::Dispatcher& dispatcher) override;
};

}  // namespace temperament::web
