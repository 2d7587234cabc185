#pragma once
// Conversions from the window definition's units to Qt's: UTF-8 text, twips,
// 0x00BBGGRR colours, CR LF line breaks.

#include "ui/form_design.hpp"

#include <QColor>
#include <QRect>
#include <QString>

#include <cstdint>
#include <string_view>

namespace temperament::qt {

inline QString toQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Twips to device-independent pixels: 15 twips a pixel at 96 DPI; Qt scales
// them on high-DPI screens.
inline constexpr int twipsPerPixel = 15;
inline int toPixels(std::int32_t twips) {
    const std::int32_t half = twips < 0 ? -twipsPerPixel / 2 : twipsPerPixel / 2;
    return static_cast<int>((twips + half) / twipsPerPixel);
}
inline QRect toPixels(const ui::Rect& twips) {
    return {toPixels(twips.left), toPixels(twips.top), toPixels(twips.width), toPixels(twips.height)};
}

inline QColor toQColor(std::uint32_t bgr) {
    return {static_cast<int>(bgr & 0xFFu), static_cast<int>((bgr >> 8) & 0xFFu), static_cast<int>((bgr >> 16) & 0xFFu)};
}
inline std::uint32_t toBgr(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return static_cast<std::uint32_t>(rgb.blue()) << 16 | static_cast<std::uint32_t>(rgb.green()) << 8 |
           static_cast<std::uint32_t>(rgb.red());
}

// Qt's text widgets break lines at LF; the model keeps CR LF.
inline QString toDisplayText(std::string_view crlfText) {
    return toQString(crlfText).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// A caption shown as stored: an ampersand is a character, not a mnemonic.
inline QString toButtonCaption(std::string_view caption) {
    return toQString(caption).replace(QStringLiteral("&"), QStringLiteral("&&"));
}

}  // namespace temperament::qt
