// The real window, driven in this process with real messages and read back
// from its native controls: geometry and font at the system DPI, the first
// screen, each classification's text byte for byte, the property-box walk,
// the keyboard (Tab and Shift+Tab only move the focus, Space and the arrow
// keys choose), and exactly one Click per user action.

#include "probe.hpp"
#include "session.hpp"
#include "support/expected_texts.hpp"
#include "test_options.hpp"

#include "layers/win32/wide_text.hpp"
#include "ui/main_form.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

#include <array>

namespace temperament::wintest {
namespace {

using runtime::Int16;
using test_support::classificationTexts;

const std::array<std::string, 3> boxCaptionsAfterLoad = {"Силен", "Уравновесен", "подвижен"};

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

bool shown(HWND window) { return IsWindowVisible(window) != FALSE; }

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

void expectFirstScreen(const Handles& h, const ui::MainForm& form) {
    EXPECT_TRUE(shown(h.label) && shown(h.text)) << "title and display box shown";
    EXPECT_EQ(textOf(h.label), "Класификация на видове темперамент") << "title label";
    const std::array<std::string, 3> options = {"Хипократ", "Юнг ", "Павлов"};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE("member " + std::to_string(i));
        EXPECT_TRUE(shown(h.option[i]) && !checked(h.option[i])) << "option shown, none selected";
        EXPECT_EQ(textOf(h.option[i]), options[i]) << "option caption, trailing space kept";
        EXPECT_TRUE(h.box[i] != nullptr && !shown(h.box[i])) << "property box exists but is hidden";
        EXPECT_TRUE(checked(h.box[i])) << "property box checked by the load";
        EXPECT_EQ(textOf(h.box[i]), boxCaptionsAfterLoad[i]) << "property box caption after the load";
        EXPECT_TRUE(h.list[i] != nullptr && !shown(h.list[i])) << "list exists but is hidden";
    }
    EXPECT_EQ(listItems(h.list[0]), (std::vector<std::string>{"Сангвиник ", "Холерик ", "Флегматик ", "Меланхолик"}))
        << "Hippocrates' list items";
    EXPECT_EQ(listItems(h.list[1]), (std::vector<std::string>{"Екстроверт ", "Интроверт"})) << "Jung's list items";
    EXPECT_EQ(listItems(h.list[2]).size(), 4u) << "Pavlov's list has 4 items";
    EXPECT_TRUE(!shown(h.picture) && !shown(h.note)) << "picture and note hidden";
    const std::string intro = textOf(h.text);
    EXPECT_EQ(intro, form.Text1().Item(0).Text()) << "display box shows the introduction";
    EXPECT_TRUE(intro.starts_with("Темпераментът е съвкупността")) << intro;
    EXPECT_EQ(textOf(h.note), form.Text1().Item(1).Text()) << "the hidden note holds its text";
    EXPECT_EQ(GetWindowLongW(h.text, GWL_STYLE) & (ES_READONLY | ES_MULTILINE | WS_VSCROLL),
              ES_READONLY | ES_MULTILINE | WS_VSCROLL)
        << "display box is multi-line, read-only, with a vertical scroll bar";
    EXPECT_EQ(GetFocus(), h.text) << "focus starts in Text1(0)";
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

TEST(Window, ClicksChooseAndToggle) {
    Session session;
    runToTheEnd(session, [&](win32::Window& window, ui::MainForm& form) {
        const Handles h(window, form);
        // Each classification by BM_CLICK, twice for the second: one Click each,
        // the text byte for byte, the picture and the boxes as the logic decides.
        for (const std::size_t i : {0u, 1u, 1u, 2u}) {
            SCOPED_TRACE("clicked Option1(" + std::to_string(i) + ")");
            const std::size_t before = session.clickCount();
            SendMessageW(h.option[i], BM_CLICK, 0, 0);
            ASSERT_EQ(session.clickCount(), before + 1) << "one Click per option click";
            EXPECT_EQ(session.clicks().back(), "Option1(" + std::to_string(i) + ")") << "the clicked option's Click";
            EXPECT_EQ(textOf(h.text), classificationTexts[i]) << "classification text, byte for byte";
            for (std::size_t j = 0; j < 3; ++j) {
                EXPECT_EQ(checked(h.option[j]), i == j) << "only the clicked option is selected: " << j;
                EXPECT_EQ(shown(h.box[j]), i == 2) << "property boxes shown for Pavlov only: " << j;
            }
            EXPECT_EQ(shown(h.picture), i == 0) << "picture shown for Hippocrates only";
        }

        // The property-box walk, every box clicked by BM_CLICK.
        struct Step {
            std::size_t click;
            std::array<const char*, 3> captions;
            std::array<bool, 3> values;
            std::array<bool, 3> shown;
        };
        const std::array<Step, 8> walk = {{
            {0, {"Слаб", "Уравновесен", "подвижен"}, {false, true, true}, {true, false, false}},
            {0, {"Силен", "Уравновесен", "подвижен"}, {true, true, true}, {true, true, true}},
            {1, {"Силен", "Неуравновесен", "подвижен"}, {true, false, true}, {true, true, false}},
            {0, {"Слаб", "Неуравновесен", "подвижен"}, {false, false, true}, {true, false, false}},
            {0, {"Силен", "Неуравновесен", "подвижен"}, {true, false, true}, {true, true, false}},
            {1, {"Силен", "Уравновесен", "подвижен"}, {true, true, true}, {true, true, true}},
            {2, {"Силен", "Уравновесен", "бавен"}, {true, true, false}, {true, true, true}},
            {2, {"Силен", "Уравновесен", "подвижен"}, {true, true, true}, {true, true, true}},
        }};
        for (std::size_t s = 0; s < walk.size(); ++s) {
            const Step& step = walk.at(s);
            SCOPED_TRACE("step " + std::to_string(s) + " of the walk");
            const std::size_t before = session.clickCount();
            SendMessageW(h.box.at(step.click), BM_CLICK, 0, 0);
            EXPECT_EQ(session.clickCount(), before + 1) << "one Click per box click";
            for (std::size_t j = 0; j < 3; ++j) {
                EXPECT_EQ(textOf(h.box[j]), step.captions.at(j)) << "box caption " << j;
                EXPECT_EQ(checked(h.box[j]), step.values.at(j)) << "box state " << j;
                EXPECT_EQ(shown(h.box[j]), step.shown.at(j)) << "box visibility " << j;
            }
        }
        EXPECT_EQ(textOf(h.text), classificationTexts[2]) << "the boxes leave the display box alone";

        // A weak system hides boxes 1 and 2; another classification and Pavlov
        // again show all three, box 0 still unchecked.
        SendMessageW(h.box[0], BM_CLICK, 0, 0);
        SendMessageW(h.option[1], BM_CLICK, 0, 0);
        SendMessageW(h.option[2], BM_CLICK, 0, 0);
        EXPECT_TRUE(shown(h.box[1]) && shown(h.box[2]) && !checked(h.box[0]) && textOf(h.box[0]) == "Слаб")
            << "Pavlov again shows every box, box 0 still weak";
    });
}

// Tab and Shift+Tab only move the focus, through the shown controls in the
// design's tab order, the option group one stop entered at its chosen button
// (the first when none is); the arrow keys move within the group and choose;
// Space chooses the focused option or toggles the focused box. Each choice is
// one Click.
TEST(Keyboard, TabMovesTheFocusAndKeysChoose) {
    Session session;
    runToTheEnd(session, [&](win32::Window& window, ui::MainForm& form) {
        const Handles h(window, form);
        for (const bool backward : {false, true}) {
            press(h.main, VK_TAB, backward);
            EXPECT_EQ(GetFocus(), h.option[0]) << "Tab and Shift+Tab enter the group at its first option";
            press(h.main, VK_TAB, backward);
            EXPECT_EQ(GetFocus(), h.text) << "and leave it for the display box";
        }
        press(h.main, VK_ESCAPE);
        EXPECT_TRUE(shown(h.main)) << "Escape leaves the window open";
        EXPECT_EQ(session.clickCount(), 0u) << "moving the focus raises no Click";
        EXPECT_TRUE(!checked(h.option[0]) && textOf(h.text) == form.Text1().Item(0).Text())
            << "the introduction stays until an option is chosen";
        press(h.main, VK_TAB);
        press(h.main, VK_SPACE);
        EXPECT_EQ(session.clicks(), std::vector<std::string>{"Option1(0)"}) << "Space on the focused option";
        EXPECT_TRUE(checked(h.option[0]) && textOf(h.text) == classificationTexts[0]) << "Space chose Hippocrates";

        // The arrow keys move within the option group and choose: one Click each.
        const std::array<std::pair<UINT, std::size_t>, 4> arrows = {
            {{VK_DOWN, 1}, {VK_DOWN, 2}, {VK_UP, 1}, {VK_DOWN, 2}}};
        for (const auto& [key, reached] : arrows) {
            SCOPED_TRACE(key == VK_UP ? "Up" : "Down");
            const std::size_t before = session.clickCount();
            press(h.main, key);
            EXPECT_EQ(GetFocus(), h.option.at(reached)) << "the arrow moved the focus";
            EXPECT_EQ(session.clickCount(), before + 1) << "one Click per arrow key";
            EXPECT_EQ(session.clicks().back(), "Option1(" + std::to_string(reached) + ")");
            EXPECT_EQ(textOf(h.text), classificationTexts.at(reached));
            for (std::size_t j = 0; j < 3; ++j) EXPECT_EQ(checked(h.option[j]), j == reached) << "option " << j;
        }

        // Pavlov chosen: the tab order runs display box, chosen option, the
        // three boxes, and back; Shift+Tab the other way; nothing is raised.
        SetFocus(h.text);
        const std::size_t beforeTabs = session.clickCount();
        const std::array<HWND, 5> forward = {h.option[2], h.box[0], h.box[1], h.box[2], h.text};
        for (HWND expected : forward) {
            press(h.main, VK_TAB);
            EXPECT_EQ(GetFocus(), expected) << "tab order follows the design";
        }
        const std::array<HWND, 5> backward = {h.box[2], h.box[1], h.box[0], h.option[2], h.text};
        for (HWND expected : backward) {
            press(h.main, VK_TAB, true);
            EXPECT_EQ(GetFocus(), expected) << "Shift+Tab goes back through the same stops";
        }
        EXPECT_EQ(session.clickCount(), beforeTabs) << "Tab raises no Click";

        // Space toggles the focused box: one Click each time.
        press(h.main, VK_TAB);
        press(h.main, VK_TAB);
        ASSERT_EQ(GetFocus(), h.box[0]) << "focus on the first box";
        press(h.main, VK_SPACE);
        EXPECT_EQ(session.clickCount(), beforeTabs + 1) << "Space on a box is one Click";
        EXPECT_TRUE(!checked(h.box[0]) && textOf(h.box[0]) == "Слаб" && !shown(h.box[1])) << "Space unchecked box 0";
        press(h.main, VK_SPACE);
        EXPECT_EQ(session.clickCount(), beforeTabs + 2);
        EXPECT_TRUE(checked(h.box[0]) && textOf(h.box[0]) == "Силен") << "Space checked it again";
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
