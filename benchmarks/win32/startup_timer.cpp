// Measures start-up to first paint: from CreateProcess until the program's
// window is shown and its thread answers a message (it paints with
// UpdateWindow before entering its loop), and the program's peak working set
// at that moment (PeakWorkingSetSize; Wine takes it from the kernel's peak
// resident set). Runs each program in turn, several times, and prints one
// tab-separated line per program:
//   <label> <median ms> <median peak MiB> <min ms> <max ms> <runs>
// Usage: startup_timer <runs> <label> <exe> <caption> [<label> <exe> <caption>...]

#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Start {
    double milliseconds;
    double peakMebibytes;
};

constexpr double mebibyte = 1024.0 * 1024.0;

// One start, or nothing when the window never came or the figures could not be read.
std::optional<Start> startOnce(const std::wstring& program, const std::wstring& caption) {
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
        std::fwprintf(stderr, L"%ls: cannot start it (error %lu)\n", program.c_str(), GetLastError());
        return std::nullopt;
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
    const bool answered =
        window != nullptr && (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored) != 0);
    QueryPerformanceCounter(&painted);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    const bool measured = GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory) != FALSE;
    if (window != nullptr) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    if (!answered) {
        std::fwprintf(stderr, L"%ls: no window titled \"%ls\"\n", program.c_str(), caption.c_str());
        return std::nullopt;
    }
    if (!measured || memory.PeakWorkingSetSize == 0) {
        std::fwprintf(stderr, L"%ls: its memory figures cannot be read\n", program.c_str());
        return std::nullopt;
    }
    return Start{
        1000.0 * static_cast<double>(painted.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart),
        static_cast<double>(memory.PeakWorkingSetSize) / mebibyte};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Program {
    std::wstring label;
    std::wstring exe;
    std::wstring caption;
    std::vector<double> milliseconds;
    std::vector<double> peakMebibytes;
};

}  // namespace

// wmain: the captions are Cyrillic, which the ANSI arguments would lose.
int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? _wtoi(argv[1]) : 0;
    if (argc < 5 || (argc - 2) % 3 != 0 || runs < 1) {
        std::fwprintf(stderr, L"usage: startup_timer <runs> <label> <exe> <caption> [<label> <exe> <caption>...]\n");
        return 2;
    }
    std::vector<Program> programs;
    for (int i = 2; i + 2 < argc; i += 3) programs.push_back({argv[i], argv[i + 1], argv[i + 2], {}, {}});
    // In turns, so that a busy moment of the machine falls on every program alike.
    for (int run = 0; run < runs; ++run) {
        for (Program& program : programs) {
            const std::optional<Start> start = startOnce(program.exe, program.caption);
            if (!start) return 1;
            program.milliseconds.push_back(start->milliseconds);
            program.peakMebibytes.push_back(start->peakMebibytes);
        }
    }
    for (const Program& program : programs) {
        const auto [fastest, slowest] = std::minmax_element(program.milliseconds.begin(), program.milliseconds.end());
        std::wprintf(L"%ls\t%.1f\t%.2f\t%.1f\t%.1f\t%d\n", program.label.c_str(), median(program.milliseconds),
                     median(program.peakMebibytes), *fastest, *slowest, runs);
    }
    return 0;
}
