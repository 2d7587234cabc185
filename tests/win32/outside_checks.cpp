// The shipped program seen from another process: started on its own, found by
// its caption, clicked and read with messages, and closed.

#include "checks.hpp"
#include "probe.hpp"
#include "support/expected_texts.hpp"

#include "win32/handles.hpp"
#include "win32/wide_text.hpp"

#include <vector>

namespace temperament::wintest {
namespace {

const std::wstring caption = L"www.temperament.example  Психология - видове темперамент";

struct Child {
    HWND window;
    std::wstring className;
    std::string text;
};

std::vector<Child> childrenOf(HWND parent) {
    std::vector<HWND> windows;
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    std::vector<Child> children;
    for (HWND window : windows) {
        wchar_t className[32] = {};
        GetClassNameW(window, className, 32);
        children.push_back({window, className, textOf(window)});
    }
    return children;
}

HWND childWithText(HWND parent, std::string_view text) {
    for (const Child& child : childrenOf(parent)) {
        if (child.text == text && IsWindowVisible(child.window)) return child.window;
    }
    return nullptr;
}

HWND visibleEdit(HWND parent) {
    for (const Child& child : childrenOf(parent)) {
        if (_wcsicmp(child.className.c_str(), L"Edit") == 0 && IsWindowVisible(child.window)) return child.window;
    }
    return nullptr;
}

}  // namespace

void outsideChecks(Checks& c, const std::wstring& program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!c.check(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                &startup, &process),
                 "the program starts")) {
        return;
    }
    CloseHandle(process.hThread);
    const win32::Owned<HANDLE, CloseHandle> processHandle(process.hProcess);
    WaitForInputIdle(process.hProcess, 60000);

    // Found by its caption once it is shown; polling, as the window is another process's.
    HWND window = nullptr;
    for (int attempt = 0; attempt < 3000 && window == nullptr; ++attempt) {
        window = FindWindowW(nullptr, caption.c_str());
        if (window != nullptr && !IsWindowVisible(window)) window = nullptr;
        if (window == nullptr) {
            if (WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0) break;
        }
    }
    if (!c.check(window != nullptr, "the program's window is found by its caption")) {
        TerminateProcess(process.hProcess, 3);
        return;
    }
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    c.equal(owner, process.dwProcessId, "the window belongs to the started program");

    HWND text = visibleEdit(window);
    c.check(text != nullptr && textOf(text).starts_with("Темпераментът е съвкупността"),
            "first screen: the introduction");
    c.check(childrenOf(window).size() == 13, "13 controls, the hidden ones included");

    HWND pavlov = childWithText(window, "Павлов");
    if (c.check(pavlov != nullptr, "the Pavlov option is there")) SendMessageW(pavlov, BM_CLICK, 0, 0);
    c.equal(textOf(text), std::string(test_support::pavlovText), "Pavlov's text read from outside");
    HWND strong = childWithText(window, "Силен");
    c.check(strong != nullptr && SendMessageW(strong, BM_GETCHECK, 0, 0) == BST_CHECKED &&
                childWithText(window, "Уравновесен") && childWithText(window, "подвижен"),
            "three checked property boxes shown");
    if (strong != nullptr) SendMessageW(strong, BM_CLICK, 0, 0);
    c.check(childWithText(window, "Слаб") == strong && !childWithText(window, "Уравновесен"),
            "unchecking the strong box renames it and hides the next");

    PostMessageW(window, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    c.check(ended, "closing the window ends the program");
    c.equal(status, DWORD{0}, "exit status after closing");
}

}  // namespace temperament::wintest
