// The real window in this process, read back from its native controls, for
// what the expected screens (screens_test.cpp) do not say: geometry and font
// at the system DPI, style, centring, icons, what the hidden controls hold,
// and a value the program sets.

#include "probe.hpp"
#include "session.hpp"
#include "test_options.hpp"

#include "layers/win32/wide_text.hpp"
#include "ui/main_form.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

#include <array>

namespace temperament::wintest {
namespace {

using runtime::Int16;

struct Handles {
    Handles(const win32::Window& window, const ui::MainForm& form) : main(window.handle()) {
        for (std::int16_t i = 0; i < 3; ++i) {
            option[i] = window.handleOf(form.Option1().Item(Int16{i}));
            box[i] = window.handleOf(form.Check1().Item(Int16{i}));
            list[i] = window.handleOf(form.List1().Item(Int16{i}));
        }
        text = window.handleOf(form.Text1().Item(0));
        note = window.handleOf(form.Text1().Item(1));
        label = window.handleOf(form.Label1().Item(0));
        picture = window.handleOf(form.Picture1());
    }
    HWND main;
    std::array<HWND, 3> option{};
    std::array<HWND, 3> box{};
    std::array<HWND, 3> list{};
    HWND text;
    HWND note;
    HWND label;
    HWND picture;
};

// Runs the program with `script`; closing the window must end it with status
// 0 and no error reported.
void runToTheEnd(Session& session, const Session::Script& script) {
    EXPECT_EQ(session.run(script), 0) << "closing the window ends the program with status 0";
    EXPECT_TRUE(session.reports().empty()) << "no error was reported";
}

void expectDesignedGeometry(const win32::Window& window, const ui::MainForm& form, int dpi) {
    EXPECT_EQ(window.dpi(), dpi) << "the window uses the system DPI";
    const RECT client = clientRect(window.handle());
    EXPECT_EQ(client.right, MulDiv(6915, dpi, 1440)) << "client width from 6915 twips";
    EXPECT_EQ(client.bottom, MulDiv(5805, dpi, 1440)) << "client height from 5805 twips";
    for (const ui::Control* control : form.controls()) {
        const RECT r = rectInParent(window.handleOf(*control));
        const ui::Rect& b = control->bounds();
        EXPECT_TRUE(r.left == MulDiv(b.left, dpi, 1440) && r.top == MulDiv(b.top, dpi, 1440) &&
                    r.right == MulDiv(b.left + b.width, dpi, 1440) && r.bottom == MulDiv(b.top + b.height, dpi, 1440))
            << control->memberName() << " is placed at its design twips";
    }

    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window.handleOf(form.Text1().Item(0)), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -MulDiv(12, dpi, 72)) << "12-point font at this DPI";
    EXPECT_EQ(int{font.lfCharSet}, 204) << "Cyrillic character set";
    EXPECT_EQ(font.lfWeight, 400L) << "font weight";
    EXPECT_EQ(win32::narrow(font.lfFaceName), "Times New Roman") << "font name";
    HDC dc = GetDC(window.handle());
    HGDIOBJ previous = SelectObject(dc, window.font());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(window.handle(), dc);
    // The character height; the font's own rounding may take a pixel off.
    EXPECT_NEAR(metrics.tmHeight - metrics.tmInternalLeading, MulDiv(12, dpi, 72), 1)
        << "the font is realised at that size";

    const LONG style = GetWindowLongW(window.handle(), GWL_STYLE);
    EXPECT_TRUE(((style & WS_MINIMIZEBOX) != 0) && ((style & WS_MAXIMIZEBOX) == 0) && ((style & WS_THICKFRAME) == 0))
        << "fixed border, can be minimised but not maximised";
    RECT frame{};
    GetWindowRect(window.handle(), &frame);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR(frame.left + frame.right, work.left + work.right, 1) << "the window opens centred across";
    EXPECT_NEAR(frame.top + frame.bottom, work.top + work.bottom, 1) << "and down";
    EXPECT_EQ(textOf(window.handle()), form.Caption()) << "title is the form's caption";
    EXPECT_EQ(form.Caption(), "www.temperament.example  Психология - видове темперамент") << "caption text";
    for (const auto& [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
        auto* icon = reinterpret_cast<HICON>(SendMessageW(window.handle(), WM_GETICON, which, 0));
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

// What the expected screens leave out of the first screen: what the hidden
// controls hold, and how the display box is made.
void expectFirstScreen(const Handles& h, const ui::MainForm& form) {
    EXPECT_EQ(listItems(h.list[0]), (std::vector<std::string>{"Сангвиник ", "Холерик ", "Флегматик ", "Меланхолик"}))
        << "Hippocrates' list items";
    EXPECT_EQ(listItems(h.list[1]), (std::vector<std::string>{"Екстроверт ", "Интроверт"})) << "Jung's list items";
    EXPECT_EQ(listItems(h.list[2]).size(), 4u) << "Pavlov's list has 4 items";
    EXPECT_EQ(textOf(h.note), form.Text1().Item(1).Text()) << "the hidden note holds its text";
    EXPECT_EQ(GetWindowLongW(h.text, GWL_STYLE) & (ES_READONLY | ES_MULTILINE | WS_VSCROLL),
              ES_READONLY | ES_MULTILINE | WS_VSCROLL)
        << "display box is multi-line, read-only, with a vertical scroll bar";
    DWORD start = 1;
    DWORD end = 1;
    SendMessageW(h.text, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_TRUE(start == 0 && end == 0) << "nothing selected in it, the caret at the start";
}

int expectedDpi() {
    const int dpi = testOptions().dpi;
    if (dpi <= 0) ADD_FAILURE() << "the test program needs --dpi=<the Wine prefix's DPI>";
    return dpi;
}

}  // namespace

TEST(Window, OpensAsDesigned) {
    const int dpi = expectedDpi();
    ASSERT_GT(dpi, 0);
    Session session;
    runToTheEnd(session, [&](win32::Window& window, ui::MainForm& form) {
        expectDesignedGeometry(window, form, dpi);
        expectFirstScreen(Handles(window, form), form);
        EXPECT_EQ(session.clickCount(), 0u) << "showing the window raises no Click";
    });
}

// Where the designed face is not installed (Wine without Microsoft's fonts),
// the font mapper must land on a TrueType serif that has the Cyrillic letters.
TEST(Window, FontIsTheDesignedFaceOrASerifWithCyrillic) {
    Session session;
    runToTheEnd(session, [&](win32::Window& window, ui::MainForm& form) {
        HDC dc = GetDC(window.handle());
        HGDIOBJ previous = SelectObject(dc, window.font());
        std::array<wchar_t, LF_FACESIZE> face{};
        GetTextFaceW(dc, static_cast<int>(face.size()), face.data());
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        OUTLINETEXTMETRICW outline{};
        const bool trueType = GetOutlineTextMetricsW(dc, sizeof outline, &outline) != 0;
        SelectObject(dc, previous);
        ReleaseDC(window.handle(), dc);
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
    runtime::ProjectDescription project = app::describeProject();
    for (runtime::ClickBinding& binding : project.clickHandlers) {
        if (binding.group != "Option1") continue;
        binding.handler = [inner = binding.handler](ui::MainForm& form, Int16 index) {
            inner(form, index);
            ui::CheckBox& box = form.Check1().Item(2);
            box.Value(box.Value() == ui::CheckBox::Checked ? ui::CheckBox::Unchecked : ui::CheckBox::Checked);
        };
    }
    Session session(project);
    runToTheEnd(session, [&](win32::Window& window, ui::MainForm& form) {
        const Handles h(window, form);
        SendMessageW(h.option[2], BM_CLICK, 0, 0);
        win32::processPendingMessages(h.main);
        EXPECT_EQ(session.clicks(), (std::vector<std::string>{"Option1(2)", "Check1(2)"}))
            << "the user's Click and the program's nested one, nothing more";
        EXPECT_TRUE(!checked(h.box[2]) && textOf(h.box[2]) == "бавен") << "the window shows the value the program set";
        SendMessageW(h.option[2], BM_CLICK, 0, 0);
        win32::processPendingMessages(h.main);
        EXPECT_EQ(session.clickCount(), 4u) << "again: two Clicks";
        EXPECT_TRUE(checked(h.box[2]) && textOf(h.box[2]) == "подвижен") << "and the window follows";
    });
}

}  // namespace temperament::wintest
