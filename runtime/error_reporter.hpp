#pragma once
// Where the run-time reports an error it cannot go on after. Each windowing
// layer supplies its own (a message box, standard error, ...).

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

// The exit status of a program that a reported error ended.
inline constexpr int failureStatus = 1;

}  // namespace temperament::runtime
