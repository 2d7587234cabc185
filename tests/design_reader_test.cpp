// Reading the window definition: a small valid definition in every value
// form, and malformed ones rejected with their line and what is wrong.

#include "ui/design_reader.hpp"
#include "ui/cp1251.hpp"
#include "ui/main_form.hpp"

#include <gtest/gtest.h>

#include <array>

namespace {

using namespace temperament::ui;

// Encodes UTF-8 test text as Windows-1251 (by searching the decoder's table).
std::vector<unsigned char> windows1251(std::string_view utf8) {
    std::vector<unsigned char> bytes;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length = 1;
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead >= 0xE0)
            length = 3;
        else if (lead >= 0xC0)
            length = 2;
        bool found = false;
        for (int byte = 0; byte < 256 && !found; ++byte) {
            std::string encoded;
            if (const auto c = decodeWindows1251(static_cast<unsigned char>(byte))) appendUtf8(encoded, *c);
            if (encoded == utf8.substr(i, length)) {
                bytes.push_back(static_cast<unsigned char>(byte));
                found = true;
            }
        }
        if (!found) ADD_FAILURE() << "not in Windows-1251: " << utf8.substr(i, length);
        i += length;
    }
    return bytes;
}

const std::array<unsigned char, 3> pictureBytes = {1, 2, 3};
const std::array<EmbeddedFile, 1> files = {EmbeddedFile{"face.jpg", pictureBytes}};

FormDesign read(std::string_view utf8) { return readFormDesign(windows1251(utf8), files); }

const std::string validForm = R"(# a comment
Begin Form Small
    Caption = "Прозорец ""в кавички"""
    BackColor = 0x00FFC0C0
    ClientWidth = 300
    ClientHeight = 200
    FontName = "Times New Roman"
    FontSize = 12
    FontCharset = 204
    Begin CheckBox Check1(0)
        Left = 10
        Top = -5
        Width = 100
        Height = 20
        TabIndex = 1
        Value = 2
        Visible = False
        Caption = "Ёж ё"
    End
    Begin TextBox Text1(0)
        Left = 0
        Top = 0
        Width = 100
        Height = 20
        TabIndex = 0
        ScrollBars = Vertical
        Text = {
            "първи ред "
            ""
        }
    End
    Begin ListBox List1(0)
        Left = 0
        Top = 0
        Width = 1
        Height = 1
        TabIndex = 2
        List = {
            "а"
            "б "
        }
    End
    Begin PictureBox Picture1
        Left = 0
        Top = 0
        Width = 1
        Height = 1
        TabIndex = 3
        Picture = "face.jpg"
    End
End
)";

TEST(DesignReader, ReadsEveryKindOfValue) {
    const FormDesign form = read(validForm);
    EXPECT_EQ(form.name, "Small");
    EXPECT_EQ(form.caption, "Прозорец \"в кавички\"");
    EXPECT_EQ(form.backColor, 0x00FFC0C0u);
    EXPECT_EQ(form.font.charset, 204);
    ASSERT_EQ(form.controls.size(), 4u);
    const ControlDesign& check = form.controls[0];
    EXPECT_EQ(check.kind, ControlKind::CheckBox);
    EXPECT_EQ(check.name, "Check1");
    EXPECT_EQ(check.index, temperament::runtime::Int16{0});
    EXPECT_EQ(check.line, 10);
    EXPECT_EQ(check.bounds.top, -5);
    EXPECT_EQ(check.value.value(), 2);
    EXPECT_FALSE(check.visible);
    EXPECT_EQ(check.caption, "Ёж ё");
    EXPECT_EQ(form.controls[1].text, "първи ред \r\n\r\n");
    EXPECT_EQ(form.controls[1].scrollBars, ScrollBars::Vertical);
    EXPECT_EQ(form.controls[2].items, (std::vector<std::string>{"а", "б "}));
    EXPECT_EQ(form.controls[3].picture.data(), pictureBytes.data());
    EXPECT_FALSE(form.controls[3].index.has_value());
}

TEST(DesignReader, AcceptsWindowsLineEndings) {
    std::string crlf;
    for (const char c : validForm) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    EXPECT_EQ(read(crlf).controls[1].text, "първи ред \r\n\r\n");
}

// validForm with line `number` (counted from 1) replaced by `text`.
std::string replaceLine(int number, std::string_view text) {
    std::string result;
    int current = 1;
    std::size_t start = 0;
    for (std::size_t end; (end = validForm.find('\n', start)) != std::string::npos; start = end + 1, ++current) {
        result += current == number ? std::string(text) : validForm.substr(start, end - start);
        result += '\n';
    }
    return result;
}

// validForm with one more control, opened by `begin`, before the form's End (line 51).
std::string withControl(std::string_view begin, int tabIndex = 9) {
    return replaceLine(51, std::string(begin) + "\nLeft = 0\nTop = 0\nWidth = 1\nHeight = 1\nTabIndex = " +
                               std::to_string(tabIndex) + "\nEnd\nEnd");
}

TEST(DesignReader, RejectsMalformedDefinitionsNamingTheLine) {
    struct Case {
        std::string text;
        int line;
        std::string problem;
    };
    const std::vector<Case> cases = {
        {"", 1, "empty"},
        {"# only a comment\n", 1, "empty"},
        {replaceLine(2, "Begin Window Small"), 2, "Begin Form"},
        {replaceLine(51, ""), 50, "no closing \"End\""},
        {replaceLine(4, "    Colour = 0x00FFC0C0"), 4, "unknown property \"Colour\" of the form"},
        {replaceLine(18, "    Caption = \"x\"\n    Alignment = Center"), 19,
         "unknown property \"Alignment\" of CheckBox"},
        {replaceLine(11, "Left = 1O"), 11, "whole number"},
        {replaceLine(11, "Left = "), 11, "has no value"},
        {replaceLine(11, "Left = 99999999999"), 11, "outside"},
        {replaceLine(16, "Value = 3"), 16, "outside 0..2"},
        {replaceLine(4, "BackColor = 0x01FFC0C0"), 4, "0x00BBGGRR"},
        {replaceLine(4, "BackColor = red"), 4, "0x00BBGGRR"},
        {replaceLine(17, "Visible = Yes"), 17, "True or False"},
        {replaceLine(26, "ScrollBars = Sideways"), 26, "one of None, Horizontal, Vertical, Both"},
        {replaceLine(18, "Caption = \"open"), 18, "double quotes"},
        {replaceLine(18, R"(Caption = "a"b")"), 18, "doubled"},
        {replaceLine(18, "Caption = {"), 19, "closing the block of line 18"},
        {replaceLine(30, ""), 31, "closing the block of line 27"},
        {validForm.substr(0, validForm.find("            \"\"")), 28, "no closing \"}\""},
        {replaceLine(12, "Top = 1\nTop = 2"), 13, "given twice"},
        {replaceLine(15, ""), 10, "lacks the property \"TabIndex\""},
        {withControl("Begin CheckBox Check1(0)"), 51, "defined twice"},
        {withControl("Begin TextBox Check1(1)"), 51, "already a CheckBox"},
        {withControl("Begin CheckBox Check1"), 51, "mixes indexed and single"},
        {withControl("Begin CheckBox Check1(1)", 1), 51, "TabIndex 1 is already taken"},
        {withControl("Begin Button B(0)"), 51, "unknown control kind \"Button\""},
        {withControl("Begin TextBox Text1(x)"), 51, "whole number"},
        {withControl("Begin TextBox 1Text"), 51, "not a control name"},
        {withControl("Begin TextBox Text1(1) extra"), 51, "expected \"Begin <kind> <name>\""},
        {replaceLine(11, "Begin Label Inner"), 11, "cannot contain other controls"},
        {replaceLine(11, "Left 10"), 11, "expected \"<property> = <value>\""},
        {replaceLine(49, "Picture = \"missing.jpg\""), 49, "no embedded file named \"missing.jpg\""},
        {validForm + "Begin Form Again\n", 52, "nothing may follow"},
        {replaceLine(11, "Left = {\n\"1\"\n}"), 11, "one value, not a block"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 2000));
        try {
            (void)read(c.text);
            ADD_FAILURE() << "accepted; expected line " << c.line << ": " << c.problem;
        } catch (const DesignDataError& error) {
            EXPECT_EQ(error.line(), c.line) << error.what();
            EXPECT_NE(std::string(error.what()).find(c.problem), std::string::npos) << error.what();
            EXPECT_NE(std::string(error.what()).find("line " + std::to_string(c.line)), std::string::npos);
        }
    }
}

TEST(DesignReader, RejectsBytesThatAreNoText) {
    std::vector<unsigned char> bytes = windows1251(validForm);
    const auto line3 = std::find(bytes.begin() + 20, bytes.end(), '"');  // inside line 3's caption
    ASSERT_NE(line3, bytes.end());
    for (const unsigned char bad : {0x98, 0x00, 0x1B, 0x7F}) {
        std::vector<unsigned char> corrupted = bytes;
        corrupted[static_cast<std::size_t>(line3 - bytes.begin()) + 1] = bad;
        try {
            (void)readFormDesign(corrupted, files);
            ADD_FAILURE() << "accepted byte " << int{bad};
        } catch (const DesignDataError& error) {
            EXPECT_EQ(error.line(), 3) << error.what();
        }
    }
}

TEST(DesignReader, TheFormRequiresTheControlsTheProgramUses) {
    try {
        (void)MainForm(read(validForm));
        ADD_FAILURE() << "a form without Label1 was accepted";
    } catch (const DesignDataError& error) {
        EXPECT_NE(std::string(error.what()).find("Label1"), std::string::npos) << error.what();
        EXPECT_EQ(error.line(), 2);  // where the form begins
    }
}

}  // namespace
