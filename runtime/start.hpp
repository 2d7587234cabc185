#pragma once
// The start routine: builds the start-up form from its design data, binds the
// project's handlers, raises Load and hands the form to a windowing layer.

#include "runtime/dispatcher.hpp"
#include "runtime/error_reporter.hpp"
#include "runtime/project_description.hpp"

namespace temperament::runtime {

class WindowingLayer {
public:
    virtual ErrorReporter& reporter() = 0;
    // Shows the loaded form and runs until its window closes (status 0) or the
    // dispatcher ends the program (its exitStatus()).
    virtual int run(ui::MainForm& form, Dispatcher& dispatcher) = 0;

protected:
    WindowingLayer() = default;
    ~WindowingLayer() = default;
    WindowingLayer(const WindowingLayer&) = default;
    WindowingLayer& operator=(const WindowingLayer&) = default;
};

// Runs the program to its end and returns its exit status.
[[nodiscard]] int run(const ProjectDescription& project, WindowingLayer& layer);

// Runs the program and ends the process with its exit status.
[[noreturn]] void start(const ProjectDescription& project, WindowingLayer& layer);

}  // namespace temperament::runtime
