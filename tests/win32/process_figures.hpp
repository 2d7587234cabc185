#pragma once
// What another process holds: its GDI and USER objects and its memory, as the
// soak test and the start-up measurement read them.
//
// Windows counts GUI objects with GetGuiResources. Wine 8 only has a stub for
// it (0, ERROR_CALL_NOT_IMPLEMENTED), so there the counts come from elsewhere:
// GDI objects are the live entries of the process's GDI handle table (the one
// the PEB points to, which Wine keeps per process), and USER objects are the
// process's windows only (Wine keeps icons, cursors and menus where no other
// process can count them). `source` says which was used.

#include <windows.h>

#include <cstddef>
#include <string>

namespace temperament::wintest {

struct GuiObjects {
    unsigned long gdi = 0;
    unsigned long user = 0;
    std::string source;  // "GetGuiResources" or what was counted instead
};

// Throws std::runtime_error when the process cannot be read.
[[nodiscard]] GuiObjects guiObjectsOf(HANDLE process);

struct MemoryFigures {
    std::size_t privateBytes = 0;    // committed private memory
    std::size_t peakWorkingSet = 0;  // the largest resident set so far
    std::string privateSource;       // the counter privateBytes came from
};

// PrivateUsage, or where that is left at 0 (Wine 8) PagefileUsage, which
// Windows keeps equal to it and Wine fills with the resident anonymous memory
// plus swap. Throws std::runtime_error when the process cannot be read.
[[nodiscard]] MemoryFigures memoryOf(HANDLE process);

}  // namespace temperament::wintest
