#pragma once
// What the display box must hold after each classification is chosen, byte
// for byte: heading, then one type a line, every line ending with CR LF.

#include <array>
#include <string_view>

namespace temperament::test_support {

inline constexpr std::string_view hippocratesText =
    "Класификация според Хипократ:\r\nСангвиник \r\nХолерик \r\nФлегматик \r\nМеланхолик\r\n";
inline constexpr std::string_view jungText = "Класификация според Юнг :\r\nЕкстроверт \r\nИнтроверт\r\n";
inline constexpr std::string_view pavlovText =
    "Класификация според Павлов:\r\nСилен, уравновесен, подвижен\r\nСилен, неуравновесен\r\n"
    "Силен, уравновесен, бавен\r\nСлаб\r\n";

inline constexpr std::array<std::string_view, 3> classificationTexts = {hippocratesText, jungText, pavlovText};

}  // namespace temperament::test_support
