#pragma once
// Failures of Windows calls, as errors that name what the program was doing.

#include <windows.h>

#include <stdexcept>
#include <string>

namespace temperament::win32 {

class WindowsError : public std::runtime_error {
public:
    // what: what failed, in the words of the error report ("не може да се създаде прозорецът").
    WindowsError(const std::string& what, DWORD code);
    WindowsError(const std::string& what, HRESULT result);
};

// Throws WindowsError for the thread's last error.
[[noreturn]] void throwLastError(const std::string& what);

// Throws WindowsError when `result` is a failure.
void check(HRESULT result, const std::string& what);

}  // namespace temperament::win32
