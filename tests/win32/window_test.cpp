// The real window in this process, read back from its native controls, for
// what the expected screens (screens_test.cpp) do not say: geometry and font
// at the system DPI, style, centring, icons, the hidden controls built when
// first shown with what they hold, and a value the program sets.

#include "probe.hpp"
#include "session.hpp"
#include "test_options.hpp"
#include "window_driver.hpp"

#include "layers/win32/wide_text.hpp"
#include "support/screens.hpp"
#include "ui/main_form.hpp"

#include <gtest/gtest.h>

#include <array>
#include <numeric>

namespace temperament::wintest {
namespace {

// Runs the program with `script`; closing the window must end it with status
// 0 and no error reported.
void runToTheEnd(Session& session, const Session::Script& script) {
    EXPECT_EQ(session.run(script), 0) << "closing the window ends the program with status 0";
    EXPECT_TRUE(session.reports().empty()) << "no error was reported";
}

void expectDesignedGeometry(HWND main, const ui::MainForm& form, int dpi) {
    const RECT client = clientRect(main);
    EXPECT_EQ(client.right, MulDiv(6915, dpi, 1440)) << "client width from 6915 twips";
    EXPECT_EQ(client.bottom, MulDiv(5805, dpi, 1440)) << "client height from 5805 twips";
    for (const ui::Control* control : form.controls()) {
        const RECT r = rectInParent(nativeOf(main, form, *control));
        const ui::Rect& b = control->bounds();
        EXPECT_TRUE(r.left == MulDiv(b.left, dpi, 1440) && r.top == MulDiv(b.top, dpi, 1440) &&
                    r.right == MulDiv(b.left + b.width, dpi, 1440) && r.bottom == MulDiv(b.top + b.height, dpi, 1440))
            << control->memberName() << " is placed at its design twips";
    }

    auto* const font =
        reinterpret_cast<HFONT>(SendMessageW(nativeOf(main, form, form.Text1().Item(0)), WM_GETFONT, 0, 0));
    LOGFONTW logical{};
    GetObjectW(font, sizeof logical, &logical);
    EXPECT_EQ(logical.lfHeight, -MulDiv(12, dpi, 72)) << "12-point font at this DPI";
    EXPECT_EQ(int{logical.lfCharSet}, 204) << "Cyrillic character set";
    EXPECT_EQ(logical.lfWeight, 400L) << "font weight";
    EXPECT_EQ(win32::narrow(logical.lfFaceName), "Times New Roman") << "font name";
    HDC dc = GetDC(main);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(main, dc);
    // The character height; the font's own rounding may take a pixel off.
    EXPECT_NEAR(metrics.tmHeight - metrics.tmInternalLeading, MulDiv(12, dpi, 72), 1)
        << "the font is realised at that size";

    const LONG style = GetWindowLongW(main, GWL_STYLE);
    EXPECT_TRUE(((style & WS_MINIMIZEBOX) != 0) && ((style & WS_MAXIMIZEBOX) == 0) && ((style & WS_THICKFRAME) == 0))
        << "fixed border, can be minimised but not maximised";
    RECT frame{};
    GetWindowRect(main, &frame);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR(frame.left + frame.right, work.left + work.right, 1) << "the window opens centred across";
    EXPECT_NEAR(frame.top + frame.bottom, work.top + work.bottom, 1) << "and down";
    EXPECT_EQ(textOf(main), form.Caption()) << "title is the form's caption";
    EXPECT_EQ(form.Caption(), "www.temperament.example  Психология - видове темперамент") << "caption text";
    for (const auto& [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
        auto* icon = reinterpret_cast<HICON>(SendMessageW(main, WM_GETICON, which, 0));
        ICONINFO info{};
        BITMAP bitmap{};
        const bool ok = icon != nullptr && (GetIconInfo(icon, &info) != 0) &&
                        (GetObjectW(info.hbmColor, sizeof bitmap, &bitmap) != 0) &&
                        bitmap.bmWidth == GetSystemMetrics(metric);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        EXPECT_TRUE(ok) << (which == ICON_BIG ? "large icon on the window" : "small icon on the window");
    }
}

// What the expected screens leave out of the first screen: how the display
// box is made, and that what the screen hides is not built.
void expectFirstScreen(HWND main, const ui::MainForm& form) {
    HWND text = nativeOf(main, form, form.Text1().Item(0));
    EXPECT_EQ(GetWindowLongW(text, GWL_STYLE) & (ES_READONLY | ES_MULTILINE | WS_VSCROLL),
              ES_READONLY | ES_MULTILINE | WS_VSCROLL)
        << "display box is multi-line, read-only, with a vertical scroll bar";
    DWORD start = 1;
    DWORD end = 1;
    SendMessageW(text, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_TRUE(start == 0 && end == 0) << "nothing selected in it, the caret at the start";
    for (const ui::Control* control : form.controls()) {
        EXPECT_EQ(nativeOf(main, form, *control) != nullptr, control->Visible())
            << control->memberName() << " is built when first shown";
    }
}

// Shown by the program, every hidden control is built where it belongs and
// holds what the design says.
void expectShownLater(HWND main, ui::MainForm& form) {
    for (ui::Control* control : form.controls()) control->Visible(true);
    EXPECT_EQ(listItems(nativeOf(main, form, form.List1().Item(0))),
              (std::vector<std::string>{"Сангвиник ", "Холерик ", "Флегматик ", "Меланхолик"}))
        << "Hippocrates' list items";
    EXPECT_EQ(listItems(nativeOf(main, form, form.List1().Item(1))),
              (std::vector<std::string>{"Екстроверт ", "Интроверт"}))
        << "Jung's list items";
    EXPECT_EQ(listItems(nativeOf(main, form, form.List1().Item(2))).size(), 4u) << "Pavlov's list has 4 items";
    EXPECT_EQ(textOf(nativeOf(main, form, form.Text1().Item(1))), form.Text1().Item(1).Text()) << "the note's text";
    // The dialog manager's tab order is the order of the child windows.
    std::vector<int> order;
    for (HWND child = GetWindow(main, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) != 0) order.push_back(GetDlgCtrlID(child) - win32::firstControlId);
    }
    std::vector<int> tabOrder(form.controls().size());
    std::iota(tabOrder.begin(), tabOrder.end(), 0);
    EXPECT_EQ(order, tabOrder) << "the controls built later are in their place in the tab order";
}

int expectedDpi() {
    const int dpi = testOptions().dpi;
    if (dpi <= 0) ADD_FAILURE() << "the test program needs --dpi=<the Wine prefix's DPI>";
    return dpi;
}

HFONT fontOf(HWND main, const ui::MainForm& form) {
    return reinterpret_cast<HFONT>(SendMessageW(nativeOf(main, form, form.Text1().Item(0)), WM_GETFONT, 0, 0));
}

}  // namespace

TEST(Window, OpensAsDesigned) {
    const int dpi = expectedDpi();
    ASSERT_GT(dpi, 0);
    Session session;
    runToTheEnd(session, [&](win32::Window& window, ui::MainForm& form) {
        expectFirstScreen(window.handle(), form);
        expectShownLater(window.handle(), form);
        expectDesignedGeometry(window.handle(), form, dpi);
        EXPECT_TRUE(session.clicks().empty()) << "showing the window raises no Click";
    });
}

// Where the designed face is not installed (Wine without Microsoft's fonts),
// the font mapper must land on a TrueType serif that has the Cyrillic letters.
TEST(Window, FontIsTheDesignedFaceOrASerifWithCyrillic) {
    Session session;
    runToTheEnd(session, [&](win32::Window& window, ui::MainForm& form) {
        HWND main = window.handle();
        HDC dc = GetDC(main);
        HGDIOBJ previous = SelectObject(dc, fontOf(main, form));
        std::array<wchar_t, LF_FACESIZE> face{};
        GetTextFaceW(dc, static_cast<int>(face.size()), face.data());
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        OUTLINETEXTMETRICW outline{};
        const bool trueType = GetOutlineTextMetricsW(dc, sizeof outline, &outline) != 0;
        SelectObject(dc, previous);
        ReleaseDC(main, dc);
        const std::string chosen = win32::narrow(face.data());
        EXPECT_EQ(int{metrics.tmCharSet}, form.font().charset) << chosen << " has the designed character set";
        if (chosen == form.font().name) return;
        const BYTE serif = outline.otmPanoseNumber.bSerifStyle;
        EXPECT_TRUE(trueType && serif >= PAN_SERIF_COVE && serif <= PAN_SERIF_TRIANGLE)
            << form.font().name << " is missing and " << chosen << " (PANOSE serif style " << int{serif}
            << ") is not a serif in its place";
    });
}

// A value the program sets itself raises its Click once, nested in the
// assignment, and never comes back from the window as a second one.
TEST(Window, AValueTheProgramSetsRaisesNoSecondClick) {
    Session session(test_support::aroundClicks(
        app::describeProject(), [](const std::string& click, ui::MainForm& form, const auto& handler) {
            handler();
            if (!click.starts_with("Option1_")) return;
            ui::CheckBox& box = form.Check1().Item(2);
            box.Value(box.Value() == ui::CheckBox::Checked ? ui::CheckBox::Unchecked : ui::CheckBox::Checked);
        }));
    runToTheEnd(session, [&](win32::Window& window, ui::MainForm& form) {
        HWND option = nativeOf(window.handle(), form, form.Option1().Item(2));
        SendMessageW(option, BM_CLICK, 0, 0);
        pump(window.handle());
        EXPECT_EQ(session.clicks(), (std::vector<std::string>{"Option1_Click(2)", "Check1_Click(2)"}))
            << "the user's Click and the program's nested one, nothing more";
        HWND box = nativeOf(window.handle(), form, form.Check1().Item(2));
        EXPECT_TRUE(!checked(box) && textOf(box) == "бавен") << "the window shows the value the program set";
        SendMessageW(option, BM_CLICK, 0, 0);
        pump(window.handle());
        EXPECT_EQ(session.clicks().size(), 4u) << "again: two Clicks";
        EXPECT_TRUE(checked(box) && textOf(box) == "подвижен") << "and the window follows";
    });
}

}  // namespace temperament::wintest
