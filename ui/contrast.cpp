#include "ui/contrast.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace temperament::ui {
namespace {

constexpr Colour black = 0x00000000;
constexpr Colour white = 0x00FFFFFF;

// An sRGB channel of 0 to 255 in linear light.
double linear(Colour channel) {
    const double value = static_cast<double>(channel) / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

}  // namespace

double relativeLuminance(Colour colour) {
    if (colour > white) {
        std::array<char, 16> value{};
        std::snprintf(value.data(), value.size(), "0x%08X", static_cast<unsigned>(colour));
        throw std::invalid_argument(std::string("not a colour 0x00BBGGRR: ") + value.data());
    }
    return 0.2126 * linear(colour & 0xFFu) + 0.7152 * linear((colour >> 8) & 0xFFu) +
           0.0722 * linear((colour >> 16) & 0xFFu);
}

double contrastRatio(Colour first, Colour second) {
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

ColourPair paintedPair(std::optional<Colour> designed, const SystemColours& system) {
    if (designed && !system.contrastAsked && contrastRatio(system.pair.text, *designed) >= textContrast) {
        return {system.pair.text, *designed};
    }
    const Colour background = system.pair.background;
    if (contrastRatio(system.pair.text, background) >= textContrast) return system.pair;
    // Either of black and white reaches 4.5:1 on any background.
    const Colour text = contrastRatio(black, background) >= contrastRatio(white, background) ? black : white;
    return {text, background};
}

}  // namespace temperament::ui
