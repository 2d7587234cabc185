// The Windows test program. One run checks one thing, named by its first argument:
//   window <dpi>      the window in this process, at the given system DPI
//   screens <folder>  screenshots as PNG, with colours sampled
//   failure           the error report and the exit status
//   outside <exe>     the shipped program driven from this process
//   soak <exe>        ten thousand clicks on the shipped program, its resources sampled

#include "checks.hpp"

#include "win32/handles.hpp"
#include "win32/wide_text.hpp"

#include <windows.h>

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

namespace temperament::wintest {
void windowChecks(Checks& checks, int dpi);
void programSetValueChecks(Checks& checks);
void screenChecks(Checks& checks, const std::wstring& directory);
void failureChecks(Checks& checks);
void outsideChecks(Checks& checks, const std::wstring& program);
void soakChecks(Checks& checks, const std::wstring& program);
}  // namespace temperament::wintest

int main(int argc, char** argv) {
    using namespace temperament;
    // The message box of a crash would wait for a user; end at once instead.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    wintest::Checks checks;
    const std::string mode = argc > 1 ? argv[1] : "";
    const std::string argument = argc > 2 ? argv[2] : "";
    try {
        win32::ComApartment com;
        if (mode == "window" && !argument.empty()) {
            wintest::windowChecks(checks, std::atoi(argument.c_str()));
            wintest::programSetValueChecks(checks);
        } else if (mode == "screens" && !argument.empty()) {
            wintest::screenChecks(checks, win32::widen(argument));
        } else if (mode == "failure") {
            wintest::failureChecks(checks);
        } else if (mode == "outside" && !argument.empty()) {
            wintest::outsideChecks(checks, win32::widen(argument));
        } else if (mode == "soak" && !argument.empty()) {
            wintest::soakChecks(checks, win32::widen(argument));
        } else {
            std::cerr << "usage: win32_tests window <dpi> | screens <folder> | failure | outside <exe> | soak <exe>\n";
            return 2;
        }
    } catch (const std::exception& error) {
        checks.check(false, std::string("stopped: ") + error.what());
    }
    return checks.summary();
}
