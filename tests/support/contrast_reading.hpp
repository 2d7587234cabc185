#pragma once
// What a screenshot shows of the colours a pupil has to read, measured with
// the core's contrast ratio (ui/contrast.hpp). Each layer's contrast tests
// hand over the pixels of a control's area, row by row, as 0x00BBGGRR; the
// figures are printed, one line each.

#include "ui/contrast.hpp"

#include <string>
#include <vector>

namespace temperament::test_support {

// The text drawn in `area` against its background: the background is the
// colour most of its pixels have, the text the colour of the cores of the
// letters, into which smoothed edges blend (of the colours of five pixels or
// more, the one that stands out most). Expects at least ui::textContrast, and
// fails where fewer than 20 pixels differ from the background (no text).
void expectTextReads(const std::vector<ui::Colour>& area, const std::string& what);

// The colour most of the area's pixels have: its background.
[[nodiscard]] ui::Colour commonest(const std::vector<ui::Colour>& area);

// A check mark's ring or box, from the pixels of the strip it is drawn in
// (row by row, `width` a row): the first row that is not all `background`
// runs through its top, and the pixel of it that stands out most does so by
// at least ui::outlineContrast.
void expectCheckMarkOutlined(const std::vector<ui::Colour>& strip, int width, ui::Colour background,
                             const std::string& what);

// The focus indicator, from the pixels of the area where it goes, before and
// after the control took the focus: the pixels that changed go round it (nine
// in ten of its `perimeter`: the letters it crosses may hide a few), and each
// stands out from the area's background by at least ui::outlineContrast.
void expectFocusStandsOut(const std::vector<ui::Colour>& before, const std::vector<ui::Colour>& after, int perimeter,
                          const std::string& what);

}  // namespace temperament::test_support
