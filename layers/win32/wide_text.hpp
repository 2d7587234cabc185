#pragma once
// The program's text is UTF-8; Windows takes UTF-16. These convert at the
// boundary and nowhere else.

#include <string>
#include <string_view>

namespace temperament::win32 {

// Invalid UTF-8 is an error (WindowsError).
[[nodiscard]] std::wstring widen(std::string_view text);
// Never fails: invalid input becomes U+FFFD. For error reports.
[[nodiscard]] std::wstring widenLeniently(std::string_view text) noexcept;
[[nodiscard]] std::string narrow(std::wstring_view text);

}  // namespace temperament::win32
