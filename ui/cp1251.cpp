#include "ui/cp1251.hpp"

#include <array>

namespace temperament::ui {
namespace {

// 0x80..0xBF: the only irregular part of the code page. 0 marks 0x98.
constexpr std::array<char16_t, 64> upperHalf = {
    u'\u0402', u'\u0403', u'\u201A', u'\u0453', u'\u201E', u'\u2026', u'\u2020', u'\u2021', u'\u20AC', u'\u2030',
    u'\u0409', u'\u2039', u'\u040A', u'\u040C', u'\u040B', u'\u040F', u'\u0452', u'\u2018', u'\u2019', u'\u201C',
    u'\u201D', u'\u2022', u'\u2013', u'\u2014', 0,         u'\u2122', u'\u0459', u'\u203A', u'\u045A', u'\u045C',
    u'\u045B', u'\u045F', u'\u00A0', u'\u040E', u'\u045E', u'\u0408', u'\u00A4', u'\u0490', u'\u00A6', u'\u00A7',
    u'\u0401', u'\u00A9', u'\u0404', u'\u00AB', u'\u00AC', u'\u00AD', u'\u00AE', u'\u0407', u'\u00B0', u'\u00B1',
    u'\u0406', u'\u0456', u'\u0491', u'\u00B5', u'\u00B6', u'\u00B7', u'\u0451', u'\u2116', u'\u0454', u'\u00BB',
    u'\u0458', u'\u0405', u'\u0455', u'\u0457',
};

}  // namespace

std::optional<char32_t> decodeWindows1251(unsigned char byte) noexcept {
    if (byte < 0x80) return char32_t{byte};
    if (byte >= 0xC0) return char32_t{0x0410u + (byte - 0xC0u)};  // А..я in alphabet order
    const char16_t character = upperHalf[byte - 0x80u];
    if (character == 0) return std::nullopt;
    return char32_t{character};
}

void appendUtf8(std::string& out, char32_t character) {
    std::array<char, 4> bytes{};
    const auto put = [&bytes](std::size_t at, char32_t bits) { bytes[at] = static_cast<char>(bits); };
    std::size_t length = 1;
    if (character < 0x80) {
        put(0, character);
    } else if (character < 0x800) {
        put(0, 0xC0 | (character >> 6));
        put(1, 0x80 | (character & 0x3F));
        length = 2;
    } else if (character < 0x10000) {
        put(0, 0xE0 | (character >> 12));
        put(1, 0x80 | ((character >> 6) & 0x3F));
        put(2, 0x80 | (character & 0x3F));
        length = 3;
    } else {
        put(0, 0xF0 | (character >> 18));
        put(1, 0x80 | ((character >> 12) & 0x3F));
        put(2, 0x80 | ((character >> 6) & 0x3F));
        put(3, 0x80 | (character & 0x3F));
        length = 4;
    }
    out.append(bytes.data(), length);
}

}  // namespace temperament::ui
