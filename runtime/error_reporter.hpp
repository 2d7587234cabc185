#pragma once
// Where the run-time reports an error it cannot go on after. Each windowing
// layer supplies its own (a message box, standard error, ...), and every
// message box says the same: the title below, the error's message, then the
// closing line below. They are written here once, so that no layer words
// them its own way.

#include <string_view>

namespace temperament::runtime {

class ErrorReporter {
public:
    virtual void report(std::string_view message) = 0;

protected:
    ErrorReporter() = default;
    ~ErrorReporter() = default;
    ErrorReporter(const ErrorReporter&) = default;
    ErrorReporter& operator=(const ErrorReporter&) = default;
};

// The report's title, which names the program: the window may not be there
// to own the box.
inline constexpr std::string_view reportTitle = "Видове темперамент: грешка";
// The report's last line, true on every layer: a desktop program ends once
// the box is closed; a page stays open but takes no more input.
inline constexpr std::string_view reportClosing = "Програмата спря.";

// The exit status of a program that a reported error ended.
inline constexpr int failureStatus = 1;

}  // namespace temperament::runtime
