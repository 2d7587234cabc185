#include "ui/cp1251.hpp"

#include <array>
#include <cstring>

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

constexpr std::optional<char32_t> decode(unsigned char byte) {
    if (byte < 0x80) return char32_t{byte};
    if (byte >= 0xC0) return char32_t{0x0410U + (byte - 0xC0U)};  // А..я in alphabet order
    const char16_t character = upperHalf[byte - 0x80U];
    if (character == 0) return std::nullopt;
    return char32_t{character};
}

struct Utf8 {
    std::array<char, 4> bytes{};
    std::size_t length = 0;
};

constexpr Utf8 encode(char32_t character) {
    Utf8 utf8;
    const auto put = [&utf8](char32_t bits) { utf8.bytes[utf8.length++] = static_cast<char>(bits); };
    if (character < 0x80) {
        put(character);
    } else if (character < 0x800) {
        put(0xC0 | (character >> 6));
        put(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        put(0xE0 | (character >> 12));
        put(0x80 | ((character >> 6) & 0x3F));
        put(0x80 | (character & 0x3F));
    } else {
        put(0xF0 | (character >> 18));
        put(0x80 | ((character >> 12) & 0x3F));
        put(0x80 | ((character >> 6) & 0x3F));
        put(0x80 | (character & 0x3F));
    }
    return utf8;
}

// The UTF-8 of every byte, worked out by the compiler: decoding a line is then
// one lookup and one short copy a byte.
constexpr std::array<Utf8, 256> utf8OfByte = [] {
    std::array<Utf8, 256> table{};
    for (std::size_t byte = 0; byte < table.size(); ++byte)
        table[byte] = encode(decode(static_cast<unsigned char>(byte)).value_or(U'\uFFFD'));
    return table;
}();

}  // namespace

std::optional<char32_t> decodeWindows1251(unsigned char byte) noexcept { return decode(byte); }

void appendUtf8(std::string& out, char32_t character) {
    const Utf8 utf8 = encode(character);
    out.append(utf8.bytes.data(), utf8.length);
}

void appendWindows1251AsUtf8(std::string& out, std::span<const unsigned char> bytes) {
    std::size_t end = out.size();
    // No byte takes more than three; each copy writes four, the last one into
    // the spare byte, and the length moves on by the real count.
    out.resize(end + 3 * bytes.size() + 1);
    for (const unsigned char byte : bytes) {
        const Utf8& utf8 = utf8OfByte[byte];
        std::memcpy(out.data() + end, utf8.bytes.data(), utf8.bytes.size());
        end += utf8.length;
    }
    out.resize(end);
}

}  // namespace temperament::ui
