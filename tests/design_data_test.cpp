// The embedded window definition, for what the expected screens do not show:
// the window's settings, what Load changes, the hidden note, geometry,
// colours, the text boxes' make, accessible names and the pictures it carries.

#include "app/project.hpp"
#include "ui/design_reader.hpp"
#include "ui/main_form.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace temperament;
using ui::ControlKind;
using ui::MainForm;

std::span<const unsigned char> embedded(std::string_view name) {
    for (const runtime::EmbeddedFile& file : runtime::embeddedFiles()) {
        if (file.name == name) return file.bytes;
    }
    ADD_FAILURE() << "no embedded file " << name;
    return {};
}

const MainForm& form() {
    static const MainForm form(ui::readFormDesign(embedded("MainForm.form"), runtime::embeddedFiles()));
    return form;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        result.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "text does not end with CR LF";
    return result;
}

std::size_t characters(const std::string& utf8) {
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

TEST(DesignData, WindowSettings) {
    EXPECT_EQ(form().Caption(), "www.temperament.example  Психология - видове темперамент");
    EXPECT_EQ(form().backColor(), 0x00FFC0C0u);
    EXPECT_EQ(form().clientWidth(), 6915);
    EXPECT_EQ(form().clientHeight(), 5805);
    EXPECT_EQ(form().font().name, "Times New Roman");
    EXPECT_EQ(form().font().points, 12);
    EXPECT_EQ(form().font().weight, 400);
    EXPECT_FALSE(form().font().italic || form().font().underline || form().font().strikethrough);
    EXPECT_EQ(form().font().charset, 204);
}

// What the expected screens cannot show: the property boxes' captions and
// values before Load renames and checks them.
TEST(DesignData, PropertyBoxesBeforeLoad) {
    EXPECT_EQ(form().Check1().Item(0).Caption(), "Силен");
    EXPECT_EQ(form().Check1().Item(1).Caption(), "Уравновесен");
    EXPECT_EQ(form().Check1().Item(2).Caption(), "Подвижен");
    for (std::int16_t i = 0; i < 3; ++i) EXPECT_EQ(form().Check1().Item(i).Value().value(), 0);
}

// The introduction's text, and with it every list item, is in the expected
// first screen byte for byte; its length is fixed too.
TEST(DesignData, IntroductionIs880Characters) { EXPECT_EQ(characters(form().Text1().Item(0).Text()), 880u); }

TEST(DesignData, NoteEndsWithTheFourMusketeers) {
    const std::string& text = form().Text1().Item(1).Text();
    const std::vector<std::string> all = lines(text);
    ASSERT_EQ(all.size(), 7u);
    EXPECT_EQ(std::vector<std::string>(all.begin() + 3, all.end()),
              (std::vector<std::string>{"Д'Артанян-сангвиник-въздух", "Портос-Холерик-огън", "Арамис-флегматик-вода",
                                        "Атос-меланхолик-земя"}));
    EXPECT_EQ(characters(text), 212u);
}

// Kinds, visibility and tab order are in the expected screens; the places
// and colours are the design's.
TEST(DesignData, GeometryAndColours) {
    struct Expected {
        std::string member;
        ui::Rect bounds;
        std::optional<std::uint32_t> back;
    };
    const std::vector<Expected> table = {
        {"Label1(0)", {1200, 0, 4575, 375}, 0x0080C0FF},     {"Picture1", {0, 480, 3360, 3360}, {}},
        {"Option1(0)", {3480, 1080, 1335, 285}, 0x000080FF}, {"Option1(1)", {3480, 1440, 1335, 285}, 0x000080FF},
        {"Option1(2)", {3480, 1800, 1335, 285}, 0x000080FF}, {"Check1(0)", {4920, 1080, 1575, 375}, 0x0080FF80},
        {"Check1(1)", {4920, 1560, 1935, 375}, 0x0080FF80},  {"Check1(2)", {4920, 2040, 1935, 375}, 0x0080FF80},
        {"List1(0)", {3360, 2520, 1335, 915}, {}},           {"List1(1)", {4440, 2520, 1335, 915}, {}},
        {"List1(2)", {5400, 2520, 1335, 915}, {}},           {"Text1(0)", {120, 3840, 6735, 1815}, {}},
        {"Text1(1)", {1200, 3960, 6735, 1815}, {}},
    };
    ASSERT_EQ(form().controls().size(), table.size());
    for (const Expected& row : table) {
        SCOPED_TRACE(row.member);
        const auto found = std::find_if(form().controls().begin(), form().controls().end(),
                                        [&](const ui::Control* c) { return c->memberName() == row.member; });
        ASSERT_NE(found, form().controls().end());
        const ui::Control& control = **found;
        EXPECT_EQ(control.bounds().left, row.bounds.left);
        EXPECT_EQ(control.bounds().top, row.bounds.top);
        EXPECT_EQ(control.bounds().width, row.bounds.width);
        EXPECT_EQ(control.bounds().height, row.bounds.height);
        EXPECT_EQ(control.backColor(), row.back);
    }
}

TEST(DesignData, TextBoxesWrapAndScrollAndNoOptionStartsSelected) {
    for (std::int16_t i = 0; i < 2; ++i) {
        const ui::TextBox& box = form().Text1().Item(i);
        EXPECT_TRUE(box.multiLine());
        EXPECT_EQ(box.scrollBars(), ui::ScrollBars::Vertical);
    }
    for (std::int16_t i = 0; i < 3; ++i) EXPECT_FALSE(form().Option1().Item(i).Value());
}

// Screen readers need a name for every control that no caption names.
TEST(DesignData, ControlsWithoutCaptionHaveAccessibleNames) {
    for (const ui::Control* control : form().controls()) {
        const bool captioned = control->kind() == ControlKind::Label || control->kind() == ControlKind::CheckBox ||
                               control->kind() == ControlKind::OptionButton;
        if (captioned || control->kind() == ControlKind::ListBox) continue;  // list boxes are never shown
        EXPECT_FALSE(control->accessibleName().empty()) << control->memberName();
    }
}

// Reads a big-endian 16-bit field.
unsigned be16(std::span<const unsigned char> bytes, std::size_t at) { return bytes[at] * 256u + bytes[at + 1]; }

TEST(DesignData, PictureIsABaselineJfif220PixelsSquare) {
    const std::span<const unsigned char> jpeg = form().Picture1().Picture();
    ASSERT_GT(jpeg.size(), 4u);
    EXPECT_EQ(be16(jpeg, 0), 0xFFD8u);
    EXPECT_EQ(std::string(jpeg.begin() + 6, jpeg.begin() + 10), "JFIF");
    std::size_t at = 2;
    bool baseline = false;
    while (at + 9 < jpeg.size() && jpeg[at] == 0xFF) {
        const unsigned marker = jpeg[at + 1];
        if (marker == 0xC0 || marker == 0xC2) {
            baseline = marker == 0xC0;
            EXPECT_EQ(be16(jpeg, at + 5), 220u);  // height
            EXPECT_EQ(be16(jpeg, at + 7), 220u);  // width
            break;
        }
        at += 2 + be16(jpeg, at + 2);
    }
    EXPECT_TRUE(baseline);
}

TEST(DesignData, IconIsOne32PixelImageWith256Colours) {
    const std::span<const unsigned char> ico = form().icon();
    ASSERT_GE(ico.size(), 22u);
    EXPECT_EQ(ico[2] + ico[3] * 256, 1);    // type: icon
    EXPECT_EQ(ico[4] + ico[5] * 256, 1);    // one image
    EXPECT_EQ(ico[6], 32);                  // width
    EXPECT_EQ(ico[7], 32);                  // height
    EXPECT_EQ(ico[12] + ico[13] * 256, 8);  // bits per pixel
}

}  // namespace
