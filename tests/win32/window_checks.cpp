// The real window, driven in this process with real messages and read back
// from its native controls: geometry and font at the system DPI, the first
// screen, focus and tab order, each classification's text byte for byte, the
// property-box walk, and exactly one Click per user action.

#include "checks.hpp"
#include "probe.hpp"
#include "session.hpp"
#include "support/expected_texts.hpp"

#include "ui/main_form.hpp"
#include "win32/wide_text.hpp"

#include <cstdlib>

#include <array>

namespace temperament::wintest {
namespace {

using runtime::Int16;
using test_support::classificationTexts;

const std::array<std::string, 3> boxCaptionsAfterLoad = {"Силен", "Уравновесен", "подвижен"};

struct Handles {
    Handles(const win32::MainWindow& window, const ui::MainForm& form) : main(window.handle()) {
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

void checkGeometry(Checks& c, const win32::MainWindow& window, const ui::MainForm& form, int dpi) {
    c.equal(window.dpi(), dpi, "the window uses the system DPI");
    const RECT client = clientRect(window.handle());
    c.equal(client.right, MulDiv(6915, dpi, 1440), "client width from 6915 twips");
    c.equal(client.bottom, MulDiv(5805, dpi, 1440), "client height from 5805 twips");
    for (const ui::Control* control : form.controls()) {
        const RECT r = rectInParent(window.handleOf(*control));
        const ui::Rect& b = control->bounds();
        const bool placed = r.left == MulDiv(b.left, dpi, 1440) && r.top == MulDiv(b.top, dpi, 1440) &&
                            r.right == MulDiv(b.left + b.width, dpi, 1440) &&
                            r.bottom == MulDiv(b.top + b.height, dpi, 1440);
        c.check(placed, control->memberName() + " is placed at its design twips");
    }

    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window.handleOf(form.Text1().Item(0)), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    c.equal(font.lfHeight, -MulDiv(12, dpi, 72), "12-point font at this DPI");
    c.equal(int{font.lfCharSet}, 204, "Cyrillic character set");
    c.equal(font.lfWeight, 400L, "font weight");
    c.equal(win32::narrow(font.lfFaceName), std::string("Times New Roman"), "font name");
    HDC dc = GetDC(window.handle());
    HGDIOBJ previous = SelectObject(dc, window.font());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(window.handle(), dc);
    // The character height; the font's own rounding may take a pixel off.
    const int em = metrics.tmHeight - metrics.tmInternalLeading;
    c.check(std::abs(em - MulDiv(12, dpi, 72)) <= 1,
            "the font is realised at that size: " + std::to_string(em) + " px");

    const LONG style = GetWindowLongW(window.handle(), GWL_STYLE);
    c.check(((style & WS_MINIMIZEBOX) != 0) && ((style & WS_MAXIMIZEBOX) == 0) && ((style & WS_THICKFRAME) == 0),
            "fixed border, can be minimised but not maximised");
    RECT frame{};
    GetWindowRect(window.handle(), &frame);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    c.check(std::abs((frame.left + frame.right) - (work.left + work.right)) <= 1 &&
                std::abs((frame.top + frame.bottom) - (work.top + work.bottom)) <= 1,
            "the window opens centred");
    c.equal(textOf(window.handle()), form.Caption(), "title is the form's caption");
    c.check(form.Caption() == "www.temperament.example  Психология - видове темперамент", "caption text");
    for (const auto& [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
        auto* icon = reinterpret_cast<HICON>(SendMessageW(window.handle(), WM_GETICON, which, 0));
        ICONINFO info{};
        BITMAP bitmap{};
        const bool ok = icon != nullptr && (GetIconInfo(icon, &info) != 0) &&
                        (GetObjectW(info.hbmColor, sizeof bitmap, &bitmap) != 0) &&
                        bitmap.bmWidth == GetSystemMetrics(metric);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        c.check(ok, which == ICON_BIG ? "large icon on the window" : "small icon on the window");
    }
}

void checkFirstScreen(Checks& c, const Handles& h, const ui::MainForm& form) {
    c.check((IsWindowVisible(h.label) != 0) && (IsWindowVisible(h.text) != 0), "title and display box shown");
    c.equal(textOf(h.label), std::string("Класификация на видове темперамент"), "title label");
    const std::array<std::string, 3> options = {"Хипократ", "Юнг ", "Павлов"};
    for (std::size_t i = 0; i < 3; ++i) {
        c.check((IsWindowVisible(h.option[i]) != 0) && !checked(h.option[i]), "option shown, none selected");
        c.equal(textOf(h.option[i]), options[i], "option caption, trailing space kept");
        c.check(h.box[i] != nullptr && (IsWindowVisible(h.box[i]) == 0), "property box exists but is hidden");
        c.check(checked(h.box[i]), "property box checked by the load");
        c.equal(textOf(h.box[i]), boxCaptionsAfterLoad[i], "property box caption after the load");
        c.check(h.list[i] != nullptr && (IsWindowVisible(h.list[i]) == 0), "list exists but is hidden");
    }
    c.check(listItems(h.list[0]) == std::vector<std::string>{"Сангвиник ", "Холерик ", "Флегматик ", "Меланхолик"},
            "Hippocrates' list items");
    c.check(listItems(h.list[1]) == std::vector<std::string>{"Екстроверт ", "Интроверт"}, "Jung's list items");
    c.equal(listItems(h.list[2]).size(), 4u, "Pavlov's list has 4 items");
    c.check((IsWindowVisible(h.picture) == 0) && (IsWindowVisible(h.note) == 0), "picture and note hidden");
    const std::string intro = textOf(h.text);
    c.check(intro == form.Text1().Item(0).Text() && intro.starts_with("Темпераментът е съвкупността"),
            "display box shows the introduction");
    c.equal(textOf(h.note), form.Text1().Item(1).Text(), "the hidden note holds its text");
    c.check((GetWindowLongW(h.text, GWL_STYLE) & (ES_READONLY | ES_MULTILINE | WS_VSCROLL)) ==
                (ES_READONLY | ES_MULTILINE | WS_VSCROLL),
            "display box is multi-line, read-only, with a vertical scroll bar");
    c.check(GetFocus() == h.text, "focus starts in Text1(0)");
    DWORD start = 1;
    DWORD end = 1;
    SendMessageW(h.text, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    c.check(start == 0 && end == 0, "nothing selected in it, the caret at the start");
}

}  // namespace

void windowChecks(Checks& c, int dpi) {
    Session session;
    const int status = session.run(c, [&](win32::MainWindow& window, ui::MainForm& form) {
        const Handles h(window, form);
        checkGeometry(c, window, form, dpi);
        checkFirstScreen(c, h, form);
        c.equal(session.clickCount(), 0u, "showing the window raises no Click");

        // Tab and Shift+Tab only move the focus: the option group, none
        // chosen, is one stop entered at its first button. Space chooses it.
        for (const bool backward : {false, true}) {
            press(h.main, VK_TAB, backward);
            c.check(GetFocus() == h.option[0], "Tab and Shift+Tab enter the group at its first option");
            press(h.main, VK_TAB, backward);
            c.check(GetFocus() == h.text, "and leave it for the display box");
        }
        press(h.main, VK_ESCAPE);
        c.check(IsWindowVisible(h.main) != 0, "Escape leaves the window open");
        c.equal(session.clickCount(), 0u, "moving the focus raises no Click");
        c.check(!checked(h.option[0]) && textOf(h.text) == form.Text1().Item(0).Text(),
                "the introduction stays until an option is chosen");
        press(h.main, VK_TAB);
        press(h.main, VK_SPACE);
        c.equal(session.clickCount(), 1u, "Space on the focused option is one Click");
        c.check(checked(h.option[0]) && textOf(h.text) == classificationTexts[0], "Space chose Hippocrates");

        // Each classification by BM_CLICK, twice for the second: one Click each,
        // the text byte for byte, the picture and the boxes as the logic decides.
        for (const std::size_t i : {0u, 1u, 1u, 2u}) {
            const std::size_t before = session.clickCount();
            SendMessageW(h.option[i], BM_CLICK, 0, 0);
            c.equal(session.clickCount(), before + 1, "one Click per option click");
            c.equal(session.clicks().back(), "Option1(" + std::to_string(i) + ")", "the clicked option's Click");
            c.equal(textOf(h.text), std::string(classificationTexts[i]), "classification text, byte for byte");
            for (std::size_t j = 0; j < 3; ++j) {
                c.equal(checked(h.option[j]), i == j, "only the clicked option is selected");
                c.equal(IsWindowVisible(h.box[j]) != FALSE, i == 2, "property boxes shown for Pavlov only");
            }
            c.equal(IsWindowVisible(h.picture) != FALSE, i == 0, "picture shown for Hippocrates only");
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
        for (const Step& step : walk) {
            const std::size_t before = session.clickCount();
            SendMessageW(h.box[step.click], BM_CLICK, 0, 0);
            c.equal(session.clickCount(), before + 1, "one Click per box click");
            for (std::size_t j = 0; j < 3; ++j) {
                c.equal(textOf(h.box[j]), std::string(step.captions[j]), "box caption in the walk");
                c.equal(checked(h.box[j]), step.values[j], "box state in the walk");
                c.equal(IsWindowVisible(h.box[j]) != FALSE, step.shown[j], "box visibility in the walk");
            }
        }
        c.equal(textOf(h.text), std::string(classificationTexts[2]), "the boxes leave the display box alone");

        // A weak system hides boxes 1 and 2; another classification and Pavlov
        // again show all three, box 0 still unchecked.
        SendMessageW(h.box[0], BM_CLICK, 0, 0);
        SendMessageW(h.option[1], BM_CLICK, 0, 0);
        SendMessageW(h.option[2], BM_CLICK, 0, 0);
        c.check((IsWindowVisible(h.box[1]) != 0) && (IsWindowVisible(h.box[2]) != 0) && !checked(h.box[0]) &&
                    textOf(h.box[0]) == "Слаб",
                "Pavlov again shows every box, box 0 still weak");
        SendMessageW(h.box[0], BM_CLICK, 0, 0);

        // Keyboard: the tab order runs display box, chosen option, the three
        // boxes, and back, Shift+Tab the other way; moving through it raises nothing.
        SetFocus(h.text);
        const std::size_t beforeTabs = session.clickCount();
        const std::array<HWND, 5> forward = {h.option[2], h.box[0], h.box[1], h.box[2], h.text};
        for (HWND expected : forward) {
            press(h.main, VK_TAB);
            c.check(GetFocus() == expected, "tab order follows the design");
        }
        const std::array<HWND, 5> backward = {h.box[2], h.box[1], h.box[0], h.option[2], h.text};
        for (HWND expected : backward) {
            press(h.main, VK_TAB, true);
            c.check(GetFocus() == expected, "Shift+Tab goes back through the same stops");
        }
        c.equal(session.clickCount(), beforeTabs, "Tab raises no Click");

        // Space toggles the focused box: one Click each time.
        press(h.main, VK_TAB);
        press(h.main, VK_TAB);
        c.check(GetFocus() == h.box[0], "focus on the first box");
        press(h.main, VK_SPACE);
        c.equal(session.clickCount(), beforeTabs + 1, "Space on a box is one Click");
        c.check(!checked(h.box[0]) && textOf(h.box[0]) == "Слаб" && (IsWindowVisible(h.box[1]) == 0),
                "Space unchecked box 0");
        press(h.main, VK_SPACE);
        c.check(checked(h.box[0]) && textOf(h.box[0]) == "Силен", "Space checked it again");

        // The arrow keys move within the option group and select: one Click each.
        SetFocus(h.option[2]);
        const std::size_t beforeArrows = session.clickCount();
        press(h.main, VK_UP);
        c.check(GetFocus() == h.option[1] && checked(h.option[1]) && !checked(h.option[2]), "Up selects Jung");
        c.equal(textOf(h.text), std::string(classificationTexts[1]), "Jung's text after Up");
        press(h.main, VK_DOWN);
        c.check(GetFocus() == h.option[2] && checked(h.option[2]), "Down selects Pavlov");
        c.equal(session.clickCount(), beforeArrows + 2, "one Click per arrow key");
    });
    c.equal(status, 0, "closing the window ends the program with status 0");
    c.equal(session.reports().size(), 0u, "no error was reported");
}

// A value the program sets itself raises its Click once, nested in the
// assignment, and never comes back from the window as a second one.
void programSetValueChecks(Checks& c) {
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
    const int status = session.run(c, [&](win32::MainWindow& window, ui::MainForm& form) {
        const Handles h(window, form);
        SendMessageW(h.option[2], BM_CLICK, 0, 0);
        win32::processPendingMessages(h.main);
        c.check(session.clicks() == std::vector<std::string>{"Option1(2)", "Check1(2)"},
                "the user's Click and the program's nested one, nothing more");
        c.check(!checked(h.box[2]) && textOf(h.box[2]) == "бавен", "the window shows the value the program set");
        SendMessageW(h.option[2], BM_CLICK, 0, 0);
        win32::processPendingMessages(h.main);
        c.equal(session.clickCount(), 4u, "again: two Clicks");
        c.check(checked(h.box[2]) && textOf(h.box[2]) == "подвижен", "and the window follows");
    });
    c.equal(status, 0, "status 0");
}

}  // namespace temperament::wintest
