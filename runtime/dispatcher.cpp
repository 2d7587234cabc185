#include "runtime/dispatcher.hpp"

#include <exception>
#include <stdexcept>

namespace temperament::runtime {

Continuation Dispatcher::load(const std::function<void()>& formLoad) {
    return dispatch([&] {
        if (loaded_) throw std::logic_error("Load is raised once only");
        loaded_ = true;
        if (formLoad) formLoad();
    });
}

Continuation Dispatcher::dispatch(const std::function<void()>& event) {
    if (ended_) return Continuation::Ended;
    try {
        event();
        return Continuation::Running;
    } catch (const std::exception& error) {
        reporter_.report(error.what());
    } catch (...) {
        reporter_.report("Неизвестна грешка при изпълнение");
    }
    ended_ = true;
    return Continuation::Ended;
}

}  // namespace temperament::runtime
