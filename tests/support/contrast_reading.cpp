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

}  // namespace

void expectTextReads(const std::vector<ui::Colour>& area, const std::string& what) {
    std::map<ui::Colour, int> counts;
    for (const ui::Colour colour : area) ++counts[colour];
    std::vector<std::pair<ui::Colour, int>> byCount(counts.begin(), counts.end());
    std::sort(byCount.begin(), byCount.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    if (byCount.size() < 2 || byCount[1].second < 20) {
        ADD_FAILURE() << what << ": no text found";
        return;
    }
    const ui::Colour background = byCount[0].first;
    const ui::Colour text = byCount[1].first;
    const double contrast = ui::contrastRatio(text, background);
    const std::string figure = name(text) + " on " + name(background) + ", " + ratio(contrast);
    std::cout << "  " << what << ": " << figure << '\n';
    EXPECT_GE(contrast, ui::textContrast) << what << ": " << figure;
}

void expectFocusStandsOut(const std::vector<ui::Colour>& before, const std::vector<ui::Colour>& after, int perimeter,
                          const std::string& what) {
    ASSERT_EQ(before.size(), after.size()) << what << ": two captures of the same area";
    int changed = 0;
    double least = 21;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] == after[i]) continue;
        ++changed;
        least = std::min(least, ui::contrastRatio(after[i], before[i]));
    }
    std::cout << "  focus on " << what << ": " << changed << " pixels, the least " << ratio(least) << '\n';
    EXPECT_GE(changed, perimeter) << "the focus indicator goes round " << what;
    EXPECT_GE(least, ui::outlineContrast) << "the focus indicator on " << what;
}

}  // namespace temperament::test_support
