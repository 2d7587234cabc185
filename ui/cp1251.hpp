#pragma once
// Our own Windows-1251 (Cyrillic) decoder: the design data is stored in that
// code page and the program depends on no conversion library or locale.

#include <optional>
#include <span>
#include <string>

namespace temperament::ui {

// The Unicode character of one Windows-1251 byte; nothing for 0x98, the one
// byte that the code page leaves undefined.
[[nodiscard]] std::optional<char32_t> decodeWindows1251(unsigned char byte) noexcept;

// Appends the UTF-8 form of a Unicode scalar value.
void appendUtf8(std::string& out, char32_t character);

// Appends the UTF-8 form of Windows-1251 text; 0x98, which has no character,
// becomes U+FFFD (the design reader rejects it before it gets here).
void appendWindows1251AsUtf8(std::string& out, std::span<const unsigned char> bytes);

}  // namespace temperament::ui
