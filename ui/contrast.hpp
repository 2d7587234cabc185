#pragma once
// Which colours a control is painted with, so that no pupil is given a pair
// of colours too faint to read: the one rule every layer asks, with WCAG 2.2's
// measure of contrast. Colours are 0x00BBGGRR, as the design data and
// Windows' COLORREF hold them; everything here is a plain value, so a layer
// (or a build step) asks it without a toolkit.
//
// A control with a designed background keeps it, with the system's text
// colour on it, while the two reach textContrast and the user has not asked
// for contrast. Otherwise (a dark or high-contrast scheme, Windows'
// high-contrast flag, a browser's forced colours) the control takes the
// system's own pair. A system pair that is itself too faint keeps its
// background and gets black or white text, whichever reads better. The focus
// indicator is drawn in the pair's text colour: it then stands out from the
// pair's background by at least textContrast, more than outlineContrast.

#include <cstdint>
#include <optional>

namespace temperament::ui {

using Colour = std::uint32_t;  // 0x00BBGGRR

// The least contrast of text against its background (WCAG 2.2, 1.4.3, level
// AA for text of every size), and of a control's outline or the focus
// indicator against what surrounds it (1.4.11).
inline constexpr double textContrast = 4.5;
inline constexpr double outlineContrast = 3.0;

// WCAG's relative luminance of an sRGB colour: 0 for black, 1 for white.
// Throws std::invalid_argument for a value that is not 0x00BBGGRR.
[[nodiscard]] double relativeLuminance(Colour colour);

// WCAG's contrast ratio, (lighter + 0.05) / (darker + 0.05): from 1 (the same
// luminance) to 21 (black and white), the same either way round. Throws as
// relativeLuminance does.
[[nodiscard]] double contrastRatio(Colour first, Colour second);

struct ColourPair {
    Colour text = 0;
    Colour background = 0;
    friend bool operator==(const ColourPair&, const ColourPair&) = default;
};

// What the system paints a surface of its own with (Windows' button text on
// button face, Qt's palette, a browser's defaults), and whether the user has
// asked for contrast (Windows' high-contrast flag, forced colours).
struct SystemColours {
    ColourPair pair;
    bool contrastAsked = false;
    friend bool operator==(const SystemColours&, const SystemColours&) = default;
};

// The pair a control is painted with: its designed background (none: the
// system's surface) and the system's colours, by the rule above.
[[nodiscard]] ColourPair paintedPair(std::optional<Colour> designed, const SystemColours& system);

}  // namespace temperament::ui
