#include "layers/win32/win32_error.hpp"

#include <array>
#include <cstdio>

namespace temperament::win32 {
namespace {

std::string describe(const std::string& what, const char* kind, unsigned long code) {
    std::array<char, 16> number{};
    std::snprintf(number.data(), number.size(), "0x%08lX", code);
    return what + " (" + kind + " " + number.data() + ")";
}

}  // namespace

WindowsError::WindowsError(const std::string& what, DWORD code)
    : std::runtime_error(describe(what, "системна грешка", code)) {}

WindowsError::WindowsError(const std::string& what, HRESULT result)
    : std::runtime_error(describe(what, "код", static_cast<unsigned long>(result))) {}

void throwLastError(const std::string& what) { throw WindowsError(what, GetLastError()); }

void check(HRESULT result, const std::string& what) {
    if (FAILED(result)) throw WindowsError(what, result);
}

}  // namespace temperament::win32
