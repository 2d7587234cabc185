#pragma once
// A windowing layer without a screen: it writes what the window shows as text
// and reports errors on an error stream: the program built for a machine
// without a screen (TEMPERAMENT_LAYER=headless) prints its first screen.

#include "runtime/start.hpp"

#include <iosfwd>
#include <string>

namespace temperament::headless {

class Layer final : public runtime::WindowingLayer, private runtime::ErrorReporter {
public:
    Layer(std::ostream& screen, std::ostream& errors) : screen_(screen), errors_(errors) {}

    runtime::ErrorReporter& reporter() override { return *this; }
    // Writes the loaded window's screen and closes it.
    int run(ui::MainForm& form, runtime::Dispatcher& dispatcher) override;

private:
    void report(std::string_view message) override;

    std::ostream& screen_;
    std::ostream& errors_;
};

}  // namespace temperament::headless
