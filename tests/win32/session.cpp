#include "session.hpp"

#include "layers/win32/layer.hpp"
#include "support/driven_layer.hpp"
#include "support/screens.hpp"

#include <gtest/gtest.h>

namespace temperament::wintest {

Session::Session(runtime::ProjectDescription project)
    : project_(test_support::logClicks(std::move(project), clicks_)) {}

int Session::run(const Script& script) {
    test_support::DrivenLayer layer([&](ui::MainForm& form, runtime::Dispatcher& dispatcher) {
        win32::Window window(form, dispatcher, layer.reporter());
        window.show();
        clicks_.clear();  // those of Form_Load
        try {
            script(window, form);
        } catch (const std::exception& error) {
            ADD_FAILURE() << "the script stopped: " << error.what();
        }
        if (IsWindow(window.handle())) SendMessageW(window.handle(), WM_CLOSE, 0, 0);
        win32::runMessageLoop(window.handle());
    });
    const int status = runtime::run(project_, layer);
    reports_ = layer.reports();
    return status;
}

void pump(HWND window) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        win32::handleMessage(window, message);
    }
}

}  // namespace temperament::wintest
