#include "support/contrast_reading.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <iostream>
#include <map>
#include <utility>

namespace temperament::test_support {
namespace {

std::string name(ui::Colour colour) {
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "#%02X%02X%02X", colour & 0xFFu, (colour >> 8) & 0xFFu,
                  (colour >> 16) & 0xFFu);
    return text.data();
}

std::string ratio(double value) {
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%.2f:1", value);
    return text.data();
}

// How many pixels of the area have each colour, the commonest first.
std::vector<std::pair<ui::Colour, int>> byCount(const std::vector<ui::Colour>& area) {
    std::map<ui::Colour, int> counts;
    for (const ui::Colour colour : area) ++counts[colour];
    std::vector<std::pair<ui::Colour, int>> colours(counts.begin(), counts.end());
    std::stable_sort(colours.begin(), colours.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    return colours;
}

}  // namespace

void expectTextReads(const std::vector<ui::Colour>& area, const std::string& what) {
    const std::vector<std::pair<ui::Colour, int>> colours = byCount(area);
    if (colours.empty() || area.size() - static_cast<std::size_t>(colours.front().second) < 20) {
        ADD_FAILURE() << what << ": no text found";
        return;
    }
    const ui::Colour background = colours.front().first;
    ui::Colour text = background;
    double contrast = 1;
    for (const auto& [colour, count] : colours) {
        const double each = ui::contrastRatio(colour, background);
        if (count >= 5 && each > contrast) {
            text = colour;
            contrast = each;
        }
    }
    const std::string figure = name(text) + " on " + name(background) + ", " + ratio(contrast);
    std::cout << "  " << what << ": " << figure << '\n';
    EXPECT_GE(contrast, ui::textContrast) << what << ": " << figure;
}

ui::Colour commonest(const std::vector<ui::Colour>& area) {
    return area.empty() ? ui::Colour{0} : byCount(area).front().first;
}

void expectCheckMarkOutlined(const std::vector<ui::Colour>& strip, int width, ui::Colour background,
                             const std::string& what) {
    const auto top = std::find_if(strip.begin(), strip.end(), [&](ui::Colour colour) { return colour != background; });
    ASSERT_NE(top, strip.end()) << what << ": nothing drawn";
    const auto row = strip.begin() + (top - strip.begin()) / width * width;
    double most = 1;
    for (auto pixel = row; pixel != row + width; ++pixel) most = std::max(most, ui::contrastRatio(*pixel, background));
    std::cout << "  " << what << ": " << ratio(most) << " on " << name(background) << '\n';
    EXPECT_GE(most, ui::outlineContrast) << what << " on " << name(background);
}

void expectFocusStandsOut(const std::vector<ui::Colour>& before, const std::vector<ui::Colour>& after, int perimeter,
                          const std::string& what) {
    ASSERT_EQ(before.size(), after.size()) << what << ": two captures of the same area";
    ASSERT_FALSE(before.empty()) << what << ": no area";
    const ui::Colour background = commonest(before);
    int changed = 0;
    double least = 21;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] == after[i]) continue;
        ++changed;
        least = std::min(least, ui::contrastRatio(after[i], background));
    }
    std::cout << "  focus on " << what << ": " << changed << " pixels of " << perimeter << " round it, the least "
              << ratio(least) << " on " << name(background) << '\n';
    EXPECT_GE(changed * 10, perimeter * 9) << "the focus indicator goes round " << what;
    EXPECT_GE(least, ui::outlineContrast) << "the focus indicator on " << what;
}

}  // namespace temperament::test_support
