#pragma once
// The run-time's one dispatch boundary. Every event (Load, and each user
// action a windowing layer reports) runs through it; an error that escapes a
// handler is reported here and ends the program.

#include "runtime/error_reporter.hpp"

#include <functional>

namespace temperament::runtime {

enum class [[nodiscard]] Continuation{Running, Ended};

class Dispatcher {
public:
    explicit Dispatcher(ErrorReporter& reporter) : reporter_(reporter) {}

    // Raises Load: once only.
    Continuation load(const std::function<void()>& formLoad);

    // Runs `event`; an error escaping it is reported and ends the program.
    // Once ended, no event runs.
    Continuation dispatch(const std::function<void()>& event);

    [[nodiscard]] bool ended() const noexcept { return ended_; }
    // 0 while running or after a normal end; failureStatus after an error.
    [[nodiscard]] int exitStatus() const noexcept { return ended_ ? failureStatus : 0; }

private:
    ErrorReporter& reporter_;
    bool ended_ = false;
    bool loaded_ = false;
};

}  // namespace temperament::runtime
