#include "process_figures.hpp"

#include <psapi.h>
#include <winternl.h>

#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace temperament::wintest {
namespace {

// One entry of the GDI handle table, as Windows and Wine lay it out.
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint16_t processId;
    std::uint16_t count;
    std::uint16_t unique;
    std::uint8_t type;  // 0: a free entry
    std::uint8_t flags;
    std::uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr std::size_t gdiHandleCount = 0x10000;
// PEB::GdiSharedHandleTable in a 64-bit process.
constexpr std::size_t gdiTableOffset = 0xf8;
static_assert(sizeof(void*) == 8, "the GDI table is read at its 64-bit offset");

std::runtime_error lastError(const std::string& what) {
    return std::runtime_error(what + " (error " + std::to_string(GetLastError()) + ")");
}

template <class Value>
Value readFrom(HANDLE process, const void* address) {
    Value value{};
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, address, &value, sizeof value, &read) || read != sizeof value) {
        throw lastError("cannot read the other process's memory");
    }
    return value;
}

using QueryInformation = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

unsigned long gdiTableEntries(HANDLE process) {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    // The only way to NtQueryInformationProcess without an import library for it.
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast)
    auto query =
        reinterpret_cast<QueryInformation>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryInformationProcess")));
    if (query == nullptr) throw lastError("NtQueryInformationProcess is missing");
    PROCESS_BASIC_INFORMATION basic{};
    if (query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) {
        throw std::runtime_error("cannot find the other process's PEB");
    }
    const auto* peb = static_cast<const unsigned char*>(static_cast<const void*>(basic.PebBaseAddress));
    const auto* table =
        reinterpret_cast<const GdiHandleEntry*>(readFrom<std::uintptr_t>(process, peb + gdiTableOffset));
    if (table == nullptr) throw std::runtime_error("the other process has no GDI handle table");
    std::vector<GdiHandleEntry> entries(gdiHandleCount);
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(GdiHandleEntry), &read) ||
        read != entries.size() * sizeof(GdiHandleEntry)) {
        throw lastError("cannot read the other process's GDI handle table");
    }
    const DWORD processId = GetProcessId(process);
    unsigned long live = 0;
    for (const GdiHandleEntry& entry : entries) {
        // Windows shares one table among processes and names the owner; Wine's
        // is the process's own and leaves the owner at 0.
        if (entry.type != 0 && (entry.processId == 0 || entry.processId == (processId & 0xffffU))) ++live;
    }
    return live;
}

struct WindowCount {
    DWORD processId;
    unsigned long windows;
};

BOOL CALLBACK countChild(HWND window, LPARAM param) {
    auto& count = *reinterpret_cast<WindowCount*>(param);  // NOLINT(performance-no-int-to-ptr): EnumWindows' LPARAM
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == count.processId) ++count.windows;
    return TRUE;
}

BOOL CALLBACK countTopLevel(HWND window, LPARAM param) {
    countChild(window, param);
    EnumChildWindows(window, countChild, param);
    return TRUE;
}

unsigned long windowsOf(HANDLE process) {
    WindowCount count{GetProcessId(process), 0};
    EnumWindows(countTopLevel, reinterpret_cast<LPARAM>(&count));
    // Message-only windows (COM's among them) are not top-level windows of the desktop.
    HWND messageOnly = nullptr;
    while ((messageOnly = FindWindowExW(HWND_MESSAGE, messageOnly, nullptr, nullptr)) != nullptr) {
        countTopLevel(messageOnly, reinterpret_cast<LPARAM>(&count));
    }
    return count.windows;
}

}  // namespace

GuiObjects guiObjectsOf(HANDLE process) {
    SetLastError(ERROR_SUCCESS);
    const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    const DWORD gdiError = GetLastError();
    const DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    if (gdi != 0 || user != 0) return {gdi, user, "GetGuiResources"};
    // A process with a window always holds GDI objects: zeros mean the call did not count.
    if (gdiError != ERROR_CALL_NOT_IMPLEMENTED && gdiError != ERROR_SUCCESS) {
        throw std::runtime_error("GetGuiResources failed (error " + std::to_string(gdiError) + ")");
    }
    return {gdiTableEntries(process), windowsOf(process),
            "GDI handle table entries and windows (GetGuiResources is a stub here)"};
}

MemoryFigures memoryOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
        throw lastError("GetProcessMemoryInfo failed");
    }
    if (counters.PagefileUsage == 0 && counters.WorkingSetSize == 0) {
        throw std::runtime_error("GetProcessMemoryInfo returned no figures");
    }
    if (counters.PrivateUsage != 0) return {counters.PrivateUsage, counters.PeakWorkingSetSize, "PrivateUsage"};
    return {counters.PagefileUsage, counters.PeakWorkingSetSize, "PagefileUsage (PrivateUsage is 0 here)"};
}

}  // namespace temperament::wintest
