// Measures start-up to first paint: from CreateProcess until the program's
// window is shown and its thread answers a message (it paints with
// UpdateWindow before entering its loop). Runs each program in turn, several
// times, and prints the medians in milliseconds.
// Usage: startup_timer <runs> <exe> <caption> [<exe> <caption>...]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// Milliseconds to first paint, or a negative number when the window never came.
double startOnce(const std::wstring& program, const std::wstring& caption) {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER start{};
    LARGE_INTEGER painted{};
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\"";
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return -1;
    }
    CloseHandle(process.hThread);
    HWND window = nullptr;
    const ULONGLONG giveUp = GetTickCount64() + 60000;
    while (window == nullptr && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT && GetTickCount64() < giveUp) {
        window = FindWindowW(nullptr, caption.c_str());
        if (window != nullptr && !IsWindowVisible(window)) window = nullptr;
        if (window == nullptr) Sleep(1);
    }
    DWORD_PTR ignored = 0;
    const bool answered = window != nullptr && SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored);
    QueryPerformanceCounter(&painted);
    if (window != nullptr) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    if (!answered) return -1;
    return 1000.0 * static_cast<double>(painted.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

// wmain: the captions are Cyrillic, which the ANSI arguments would lose.
int wmain(int argc, wchar_t** argv) {
    if (argc < 4 || argc % 2 != 0) {
        std::fwprintf(stderr, L"usage: startup_timer <runs> <exe> <caption> [<exe> <caption>...]\n");
        return 2;
    }
    const int runs = std::max(1, _wtoi(argv[1]));
    const std::size_t programs = static_cast<std::size_t>(argc - 2) / 2;
    std::vector<std::vector<double>> times(programs);
    for (int run = 0; run < runs; ++run) {
        for (std::size_t p = 0; p < programs; ++p) {
            const double ms = startOnce(argv[2 + 2 * p], argv[3 + 2 * p]);
            if (ms < 0) {
                std::fwprintf(stderr, L"%ls: no window\n", argv[2 + 2 * p]);
                return 1;
            }
            times[p].push_back(ms);
        }
    }
    for (std::size_t p = 0; p < programs; ++p) {
        std::vector<double>& t = times[p];
        std::sort(t.begin(), t.end());
        const double median = t.size() % 2 ? t[t.size() / 2] : (t[t.size() / 2 - 1] + t[t.size() / 2]) / 2;
        std::wprintf(L"%-60ls median %7.1f ms  (min %.1f, max %.1f, %d runs)\n", argv[2 + 2 * p], median, t.front(),
                     t.back(), runs);
    }
    return 0;
}
