#include "layers/win32/layer.hpp"

#include "layers/win32/wide_text.hpp"
#include "layers/win32/win32_error.hpp"
#include "runtime/error_reporter.hpp"
#include "runtime/platform_layer.hpp"

namespace temperament::win32 {
namespace {

// The focus indicator shows once the keyboard moves the focus, as Windows'
// dialog manager shows it; Wine's does not tell the window.
void showFocusOnNavigation(HWND dialog, WPARAM key) {
    if (key == VK_TAB || key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) {
        SendMessageW(dialog, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    }
}

}  // namespace

int Layer::run(ui::MainForm& form, runtime::Dispatcher& dispatcher) {
    Window window(form, dispatcher, *this);
    // Reports belong to the window while it exists, and to no window after.
    struct OwnerScope {
        HWND& owner;
        ~OwnerScope() { owner = nullptr; }
    } scope{owner_ = window.handle()};
    window.show();
    runMessageLoop(window.handle());
    return window.exitStatus();
}

void Layer::report(std::string_view message) {
    const std::wstring text = widenLeniently(message) + L"\n\n" + widenLeniently(runtime::reportClosing);
    const std::wstring title = widenLeniently(runtime::reportTitle);
    HWND owner = owner_ != nullptr && IsWindow(owner_) ? owner_ : nullptr;
    MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

void runMessageLoop(HWND dialog) {
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return;
        if (got == -1) throwLastError("опашката със съобщения на прозореца не може да се прочете");
        handleMessage(dialog, message);
    }
}

void handleMessage(HWND dialog, MSG& message) {
    // Escape means nothing to this window, as on the other layers; in a dialog
    // a multi-line EDIT would close the window for it.
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) return;
    if (message.message == WM_KEYDOWN && dialog != nullptr) showFocusOnNavigation(dialog, message.wParam);
    if (dialog != nullptr && IsWindow(dialog) && IsDialogMessageW(dialog, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace temperament::win32

namespace temperament::runtime {

std::unique_ptr<WindowingLayer> createPlatformLayer() { return std::make_unique<win32::Layer>(); }

}  // namespace temperament::runtime
