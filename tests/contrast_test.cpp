// The contrast rule every layer asks: WCAG 2.2's contrast ratio, and the pair
// of colours each designed background of the window is painted with under
// the default colours, dark and high-contrast schemes, and any scheme at all.

#include "ui/contrast.hpp"
#include "app/project.hpp"
#include "support/driven_layer.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

using namespace temperament;
using ui::Colour;
using ui::ColourPair;
using ui::contrastRatio;
using ui::paintedPair;
using ui::SystemColours;

constexpr Colour black = 0x000000;
constexpr Colour white = 0xFFFFFF;

// The system's text on its own background, as a scheme gives them.
constexpr ColourPair browserDefaults{black, white};
constexpr ColourPair windowsButtons{black, 0xF0F0F0};
constexpr ColourPair highContrastBlack{white, black};
constexpr ColourPair highContrastWhite{black, white};
constexpr ColourPair darkPalette{white, 0x353535};

// The window's own background and every control's designed one, as the
// program loads them.
std::vector<Colour> designedBackgrounds() {
    std::vector<Colour> colours;
    test_support::DrivenLayer layer([&](ui::MainForm& form, runtime::Dispatcher&) {
        colours.push_back(form.backColor());
        for (const ui::Control* control : form.controls()) {
            if (const auto colour = control->backColor()) colours.push_back(*colour);
        }
    });
    EXPECT_EQ(runtime::run(app::describeProject(), layer), 0);
    return colours;
}

TEST(ContrastRatio, FollowsWcagsFigures) {
    EXPECT_NEAR(contrastRatio(black, white), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(white, black), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(0x3366CC, 0x3366CC), 1.0, 1e-9);
    // The lightest grey that reads as text on white, and the next one.
    EXPECT_GE(contrastRatio(0x767676, white), ui::textContrast);
    EXPECT_LT(contrastRatio(0x777777, white), ui::textContrast);
    // Channels weigh as the eye does: green most, then red, blue least.
    EXPECT_GT(contrastRatio(0x00FF00, black), contrastRatio(0x0000FF, black));
    EXPECT_GT(contrastRatio(0x0000FF, black), contrastRatio(0xFF0000, black));
}

TEST(ContrastRatio, RefusesAValueThatIsNotAColour) {
    try {
        (void)contrastRatio(0x01FFC0C0, white);
        ADD_FAILURE() << "no error for a value with its top byte set";
    } catch (const std::invalid_argument& error) {
        EXPECT_NE(std::string(error.what()).find("0x01FFC0C0"), std::string::npos) << error.what();
    }
    EXPECT_THROW((void)ui::relativeLuminance(0xFF000000), std::invalid_argument);
}

TEST(PaintedPair, DefaultColoursKeepEveryDesignedBackground) {
    const std::vector<Colour> designed = designedBackgrounds();
    ASSERT_EQ(designed.size(), 8u) << "the window and its seven coloured controls";
    for (const ColourPair& system : {browserDefaults, windowsButtons, highContrastWhite}) {
        for (const Colour background : designed) {
            EXPECT_EQ(paintedPair(background, {system, false}), (ColourPair{black, background}))
                << std::hex << background;
        }
    }
}

TEST(PaintedPair, TheSystemsPairWhereItsTextFailsOrContrastIsAsked) {
    for (const Colour background : designedBackgrounds()) {
        EXPECT_EQ(paintedPair(background, {highContrastBlack, false}), highContrastBlack) << std::hex << background;
        EXPECT_EQ(paintedPair(background, {darkPalette, false}), darkPalette) << std::hex << background;
        EXPECT_EQ(paintedPair(background, {highContrastWhite, true}), highContrastWhite) << std::hex << background;
    }
    EXPECT_EQ(paintedPair(std::nullopt, {windowsButtons, false}), windowsButtons);
}

TEST(PaintedPair, AFaintSystemPairGetsBlackOrWhiteText) {
    EXPECT_EQ(paintedPair(std::nullopt, {{0x808080, 0x909090}, false}), (ColourPair{black, 0x909090}));
    EXPECT_EQ(paintedPair(0xFFFFFF, {{0x505050, 0x404040}, true}), (ColourPair{white, 0x404040}));
}

// Whatever the scheme and the design, the text reads, on the designed
// background or on the system's.
TEST(PaintedPair, NeverBelowTheTextContrast) {
    std::vector<Colour> colours;
    for (Colour r = 0; r <= 255; r += 85) {
        for (Colour g = 0; g <= 255; g += 85) {
            for (Colour b = 0; b <= 255; b += 85) colours.push_back(b << 16 | g << 8 | r);
        }
    }
    const std::vector<std::optional<Colour>> designs = {std::nullopt, 0x0080C0FF, 0x00404040};
    for (const Colour text : colours) {
        for (const Colour background : colours) {
            for (const std::optional<Colour> designed : designs) {
                for (const bool asked : {false, true}) {
                    const ColourPair pair = paintedPair(designed, {{text, background}, asked});
                    ASSERT_GE(contrastRatio(pair.text, pair.background), ui::textContrast)
                        << std::hex << text << " on " << background << " for " << designed.value_or(0);
                    ASSERT_TRUE(pair.background == background || pair.background == designed);
                }
            }
        }
    }
}

}  // namespace
