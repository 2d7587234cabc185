#pragma once
// The start routine: builds the start-up form from its design data, binds the
// project's handlers, raises Load and hands the form to a windowing layer.

#include "runtime/dispatcher.hpp"
#include "runtime/error_reporter.hpp"
#include "runtime/project_description.hpp"

#include <memory>

namespace temperament::runtime {

class WindowingLayer {
public:
    virtual ~WindowingLayer() = default;

    virtual ErrorReporter& reporter() = 0;
    // Shows the loaded form and runs until its window closes (status 0) or the
    // dispatcher ends the program (its exitStatus()).
    virtual int run(ui::MainForm& form, Dispatcher& dispatcher) = 0;

protected:
    WindowingLayer() = default;
    WindowingLayer(const WindowingLayer&) = default;
    WindowingLayer& operator=(const WindowingLayer&) = default;
};

// Creates the windowing layer the program is built with; each layer's library
// defines it (see runtime/platform_layer.hpp).
using LayerFactory = std::unique_ptr<WindowingLayer> (*)();

// Runs the program to its end and returns its exit status.
[[nodiscard]] int run(const ProjectDescription& project, WindowingLayer& layer);

// Creates the layer, runs the program, closes the layer and ends the process
// with the program's exit status.
[[noreturn]] void start(const ProjectDescription& project, LayerFactory createLayer);

}  // namespace temperament::runtime
