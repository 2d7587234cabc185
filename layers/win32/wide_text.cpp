#include "layers/win32/wide_text.hpp"

#include "layers/win32/win32_error.hpp"

#include <windows.h>

#include <climits>

namespace temperament::win32 {
namespace {

int length(std::size_t size) {
    if (size > INT_MAX) throw std::length_error("текстът е твърде дълъг");
    return static_cast<int>(size);
}

std::wstring convert(std::string_view text, DWORD flags) {
    if (text.empty()) return {};
    const int size = length(text.size());
    const int needed = MultiByteToWideChar(CP_UTF8, flags, text.data(), size, nullptr, 0);
    if (needed == 0) throwLastError("текстът не е в UTF-8");
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    if (MultiByteToWideChar(CP_UTF8, flags, text.data(), size, wide.data(), needed) != needed) {
        throwLastError("текстът не е в UTF-8");
    }
    return wide;
}

}  // namespace

std::wstring widen(std::string_view text) { return convert(text, MB_ERR_INVALID_CHARS); }

std::wstring widenLeniently(std::string_view text) noexcept {
    try {
        return convert(text, 0);
    } catch (...) {
        return L"?";
    }
}

std::string narrow(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = length(text.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (needed == 0) throwLastError("текстът не е в UTF-16");
    std::string narrowText(static_cast<std::size_t>(needed), '\0');
    if (WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text.data(), size, narrowText.data(), needed, nullptr,
                            nullptr) != needed) {
        throwLastError("текстът не е в UTF-16");
    }
    return narrowText;
}

}  // namespace temperament::win32
