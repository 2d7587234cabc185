#pragma once
// The windowing layer over Qt Widgets: it shows the loaded form in a
// Window, runs Qt's event loop until the window closes, and reports
// run-time errors in a message box and on standard error.

#include "runtime/start.hpp"

#include <QApplication>

#include <array>
#include <memory>

namespace temperament::qt {

class Layer final : public runtime::WindowingLayer, private runtime::ErrorReporter {
public:
    // Uses the running QApplication, or creates one; the program takes no
    // command line, so Qt is given none either.
    Layer();
    ~Layer() override;
    Layer(const Layer&) = delete;
    Layer& operator=(const Layer&) = delete;

    runtime::ErrorReporter& reporter() override { return *this; }
    int run(ui::MainForm& form, runtime::Dispatcher& dispatcher) override;

private:
    void report(std::string_view message) override;

    int argc_ = 1;
    std::array<char, 12> programName_{"temperament"};
    std::array<char*, 2> argv_{programName_.data(), nullptr};
    std::unique_ptr<QApplication> application_;
    QWidget* window_ = nullptr;  // the report's parent while the window is open
};

}  // namespace temperament::qt
