// What a pupil with low vision sees: the window in the default colours and in
// a high-contrast black and a high-contrast white scheme, set with
// SetSysColors as a contrast theme sets them. From the window's own pixels,
// every text shown must stand out from its background by 4.5:1, and the
// focus indicator and, where a button takes the scheme's colours, its check
// mark by 3:1, measured with the core's contrast ratio; a scheme changed while
// the program runs repaints it. Screenshots of each scheme go beside the
// other screens.

#include "probe.hpp"
#include "session.hpp"
#include "test_options.hpp"
#include "window_driver.hpp"

#include "support/contrast_reading.hpp"
#include "ui/main_form.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace temperament::wintest {
namespace {

struct SystemScheme {
    std::string name;
    std::vector<std::pair<int, COLORREF>> colours;  // none: the prefix's own
};

// A contrast theme's colours, as Windows' give them: text and background for
// the buttons and the documents alike, the borders of such a theme, and its
// selection.
SystemScheme contrastTheme(std::string name, COLORREF text, COLORREF background, COLORREF selection,
                           COLORREF selectedText) {
    return {std::move(name),
            {{COLOR_WINDOW, background},
             {COLOR_WINDOWTEXT, text},
             {COLOR_BTNFACE, background},
             {COLOR_BTNTEXT, text},
             {COLOR_3DHILIGHT, RGB(255, 255, 255)},
             {COLOR_3DLIGHT, RGB(192, 192, 192)},
             {COLOR_3DSHADOW, RGB(128, 128, 128)},
             {COLOR_3DDKSHADOW, text},
             {COLOR_HIGHLIGHT, selection},
             {COLOR_HIGHLIGHTTEXT, selectedText}}};
}

const SystemScheme defaultColours{"default", {}};
const SystemScheme highContrastBlack =
    contrastTheme("high_contrast_black", RGB(255, 255, 255), RGB(0, 0, 0), RGB(26, 235, 255), RGB(0, 0, 0));
const SystemScheme highContrastWhite =
    contrastTheme("high_contrast_white", RGB(0, 0, 0), RGB(255, 255, 255), RGB(55, 0, 110), RGB(255, 255, 255));

// The scheme's colours set for this object's life; the earlier ones are put
// back after.
class SchemeInUse {
public:
    explicit SchemeInUse(const SystemScheme& scheme) {
        std::vector<COLORREF> colours;
        for (const auto& [element, colour] : scheme.colours) {
            elements_.push_back(element);
            earlier_.push_back(GetSysColor(element));
            colours.push_back(colour);
        }
        set(colours);
    }
    ~SchemeInUse() { set(earlier_); }
    SchemeInUse(const SchemeInUse&) = delete;
    SchemeInUse& operator=(const SchemeInUse&) = delete;

private:
    void set(const std::vector<COLORREF>& colours) const {
        if (!elements_.empty() && !SetSysColors(static_cast<int>(elements_.size()), elements_.data(), colours.data()))
            ADD_FAILURE() << "SetSysColors failed: " << GetLastError();
    }

    std::vector<int> elements_;
    std::vector<COLORREF> earlier_;
};

// A child window's client area in its parent's client coordinates.
RECT clientInParent(HWND child) {
    RECT area = clientRect(child);
    MapWindowPoints(child, GetParent(child), reinterpret_cast<POINT*>(&area), 2);
    return area;
}

// The pixels of an area of the client area, row by row.
std::vector<ui::Colour> pixels(const Capture& capture, const RECT& area) {
    std::vector<ui::Colour> colours;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) colours.push_back(capture.at(x, y));
    }
    return colours;
}

// Where a control's words are: a button's right of its check mark.
RECT wordsOf(HWND native, const ui::Control& control) {
    RECT area = clientInParent(native);
    const bool button = control.kind() == ui::ControlKind::OptionButton || control.kind() == ui::ControlKind::CheckBox;
    if (button) area.left += MulDiv(16, testOptions().dpi, 96);
    return area;
}

// Every caption and text the window shows in the capture reads.
void expectTextsRead(const Capture& capture, HWND main, const ui::MainForm& form) {
    for (const ui::Control* control : form.tabOrder()) {
        if (control->kind() == ui::ControlKind::PictureBox || !control->Visible()) continue;
        HWND native = nativeOf(main, form, *control);
        ASSERT_NE(native, nullptr) << control->memberName() << " is shown";
        test_support::expectTextReads(pixels(capture, wordsOf(native, *control)), control->memberName());
    }
}

// Where a button takes the system's colours, its check mark (in the 13
// pixels left of its words, at 96 DPI) stands out from them too.
void expectCheckMarksOutlined(const Capture& capture, HWND main, const ui::MainForm& form) {
    for (const ui::Control* control : form.tabOrder()) {
        const bool button =
            control->kind() == ui::ControlKind::OptionButton || control->kind() == ui::ControlKind::CheckBox;
        if (!button || !control->Visible()) continue;
        HWND native = nativeOf(main, form, *control);
        const ui::Colour background = test_support::commonest(pixels(capture, wordsOf(native, *control)));
        if (background == control->backColor()) continue;
        RECT mark = clientInParent(native);
        mark.right = mark.left + MulDiv(13, testOptions().dpi, 96);
        test_support::expectCheckMarkOutlined(pixels(capture, mark), mark.right - mark.left, background,
                                              control->memberName() + "'s check mark");
    }
}

// The focus indicator of a control that has just taken the focus goes round
// its words.
void expectFocusIndicator(const Capture& before, const Capture& after, HWND native, const ui::Control& control) {
    const RECT area = clientInParent(native);
    const RECT words = wordsOf(native, control);
    test_support::expectFocusStandsOut(pixels(before, area), pixels(after, area),
                                       2 * (words.right - words.left + words.bottom - words.top) - 4,
                                       control.memberName());
}

void savePng(const Capture& capture, const std::string& name) {
    const std::wstring& folder = testOptions().screens;
    if (!folder.empty()) capture.savePng(folder + L"\\" + std::wstring(name.begin(), name.end()) + L".png");
}

// Redraws whatever the last messages left to draw.
Capture drawn(HWND main) {
    pump(main);
    UpdateWindow(main);
    return Capture(main);
}

class Contrast : public testing::TestWithParam<const SystemScheme*> {};

TEST_P(Contrast, EveryTextTheCheckMarksAndTheFocusStandOut) {
    ASSERT_GT(testOptions().dpi, 0) << "the test program needs --dpi=<the Wine prefix's DPI>";
    const SystemScheme& scheme = *GetParam();
    const SchemeInUse inUse(scheme);
    std::cout << scheme.name << ":\n";
    Session session;
    const int status = session.run([&](win32::Window& window, ui::MainForm& form) {
        HWND main = window.handle();
        WindowDriver driver(main, form, [&] { pump(main); });

        // A screen's texts and check marks; then Tab moves the focus on to `next`.
        const auto readScreen = [&](const std::string& screen, const ui::Control& next) {
            const Capture shown = drawn(main);
            savePng(shown, "contrast-" + scheme.name + "-" + screen);
            expectTextsRead(shown, main, form);
            expectCheckMarksOutlined(shown, main, form);
            driver.press(headless::Key::Tab);
            expectFocusIndicator(shown, drawn(main), nativeOf(main, form, next), next);
        };
        readScreen("first", form.Option1().Item(0));  // from the display box
        driver.click("Option1(2)");
        readScreen("pavlov", form.Check1().Item(0));  // from Pavlov's option
    });
    EXPECT_EQ(status, 0);
}

// A test's name is its scheme's.
std::string schemeName(const testing::TestParamInfo<const SystemScheme*>& scheme) { return scheme.param->name; }

INSTANTIATE_TEST_SUITE_P(Schemes, Contrast, testing::Values(&defaultColours, &highContrastBlack, &highContrastWhite),
                         schemeName);

// Where the client areas of the two captures differ outside the display box,
// whose caret blinks: nothing, or how many pixels and within what.
std::string differenceOutside(const Capture& a, const Capture& b, HWND main, const RECT& displayBox) {
    const RECT client = clientRect(main);
    int count = 0;
    RECT within{client.right, client.bottom, 0, 0};
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            const POINT point{x, y};
            if (PtInRect(&displayBox, point) || a.at(x, y) == b.at(x, y)) continue;
            ++count;
            within = {std::min(within.left, LONG{x}), std::min(within.top, LONG{y}), std::max(within.right, LONG{x}),
                      std::max(within.bottom, LONG{y})};
        }
    }
    if (count == 0) return {};
    return std::to_string(count) + " pixels differ within x " + std::to_string(within.left) + ".." +
           std::to_string(within.right) + ", y " + std::to_string(within.top) + ".." + std::to_string(within.bottom);
}

TEST(Contrast, ASchemeChangedWhileTheProgramRunsRepaintsIt) {
    Session session;
    const int status = session.run([&](win32::Window& window, ui::MainForm& form) {
        HWND main = window.handle();
        const RECT displayBox = rectInParent(nativeOf(main, form, form.Text1().Item(0)));
        const RECT title = clientInParent(nativeOf(main, form, form.Label1().Item(0)));
        // A button under the pointer, where an earlier test clicked, is drawn
        // hot when the scheme's change repaints it: the pointer goes away first.
        SetCursorPos(0, 0);
        const Capture before = drawn(main);
        {
            const SchemeInUse black(highContrastBlack);
            const Capture after = drawn(main);
            EXPECT_EQ(after.commonest(title), RGB(0, 0, 0)) << "the title takes the scheme's background";
            EXPECT_EQ(after.commonest(clientRect(main)), RGB(0, 0, 0)) << "and so does the window";
            std::cout << "switched to high-contrast black while running:\n";
            expectTextsRead(after, main, form);
        }
        const Capture restored = drawn(main);
        const std::string difference = differenceOutside(before, restored, main, displayBox);
        EXPECT_EQ(difference, "") << "the default colours come back as they were";
        if (!difference.empty()) {
            savePng(before, "contrast-before-the-switch");
            savePng(restored, "contrast-after-the-switch");
        }
    });
    EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace temperament::wintest
