#include "ui/cp1251.hpp"

#include <gtest/gtest.h>

namespace {

using temperament::ui::appendUtf8;
using temperament::ui::decodeWindows1251;

std::string utf8Of(unsigned char byte) {
    std::string out;
    if (const auto c = decodeWindows1251(byte)) appendUtf8(out, *c);
    return out;
}

TEST(Windows1251, DecodesTheCyrillicAlphabetInOrder) {
    const std::string upper = "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ";
    const std::string lower = "абвгдежзийклмнопрстуфхцчшщъыьэюя";
    std::string decodedUpper;
    std::string decodedLower;
    for (int byte = 0xC0; byte <= 0xDF; ++byte) decodedUpper += utf8Of(static_cast<unsigned char>(byte));
    for (int byte = 0xE0; byte <= 0xFF; ++byte) decodedLower += utf8Of(static_cast<unsigned char>(byte));
    EXPECT_EQ(decodedUpper, upper);
    EXPECT_EQ(decodedLower, lower);
}

TEST(Windows1251, DecodesTheIrregularUpperHalf) {
    EXPECT_EQ(utf8Of(0xA8), "Ё");
    EXPECT_EQ(utf8Of(0xB8), "ё");
    EXPECT_EQ(utf8Of(0x80), "Ђ");
    EXPECT_EQ(utf8Of(0x88), "€");
    EXPECT_EQ(utf8Of(0x96), "–");
    EXPECT_EQ(utf8Of(0xA0), "\u00A0");
    EXPECT_EQ(utf8Of(0xB9), "№");
    EXPECT_EQ(utf8Of(0xBF), "ї");
    EXPECT_EQ(utf8Of('A'), "A");
    EXPECT_EQ(utf8Of('\''), "'");
    EXPECT_FALSE(decodeWindows1251(0x98).has_value());
    for (int byte = 0; byte < 256; ++byte) {
        EXPECT_EQ(decodeWindows1251(static_cast<unsigned char>(byte)).has_value(), byte != 0x98) << byte;
    }
}

TEST(Windows1251, EncodesUtf8OfEveryLength) {
    std::string out;
    for (const char32_t c : {U'A', U'\u00E9', U'\u0416', U'\u20AC', U'\U0001F600'}) appendUtf8(out, c);
    EXPECT_EQ(out, "A\u00E9\u0416\u20AC\U0001F600");
}

}  // namespace
