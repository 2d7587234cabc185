// Screenshots of the first, the Pavlov and the Hippocrates screens, drawn by
// PrintWindow and saved as PNG for a person to look at, with the designed
// colours sampled from them.

#include "checks.hpp"
#include "probe.hpp"
#include "session.hpp"

#include "ui/main_form.hpp"
#include "win32/wide_text.hpp"

#include <cstdlib>

namespace temperament::wintest {
namespace {

RECT clientArea(HWND child) { return rectInParent(child); }

bool similar(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

void expectColour(Checks& c, COLORREF actual, COLORREF expected, const std::string& what, int tolerance = 0) {
    c.check(similar(actual, expected, tolerance),
            what + ": " + colourName(actual) + ", expected " + colourName(expected));
}

}  // namespace

void screenChecks(Checks& c, const std::wstring& directory) {
    Session session;
    const int status = session.run(c, [&](win32::MainWindow& window, ui::MainForm& form) {
        HWND main = window.handle();
        HWND label = window.handleOf(form.Label1().Item(0));
        HWND option = window.handleOf(form.Option1().Item(0));
        HWND text = window.handleOf(form.Text1().Item(0));
        HWND box = window.handleOf(form.Check1().Item(0));
        HWND picture = window.handleOf(form.Picture1());
        const RECT pictureArea = clientArea(picture);

        const Capture first(main);
        first.savePng(directory + L"\\first_screen.png");
        expectColour(c, first.commonest(pictureArea), RGB(192, 192, 255), "window background (picture hidden)");
        expectColour(c, first.commonest(clientArea(label)), RGB(255, 192, 128), "title background");
        expectColour(c, first.commonest(clientArea(option)), RGB(255, 128, 0), "option background");
        expectColour(c, first.commonest(clientArea(text)), RGB(255, 255, 255), "display box is white");
        const RECT t = clientArea(text);
        c.check(first.at((t.left + t.right) / 2, (t.top + t.bottom) / 2) != CLR_INVALID, "display box captured");

        SendMessageW(window.handleOf(form.Option1().Item(2)), BM_CLICK, 0, 0);
        UpdateWindow(main);
        const Capture pavlov(main);
        pavlov.savePng(directory + L"\\pavlov_screen.png");
        expectColour(c, pavlov.commonest(clientArea(box)), RGB(128, 255, 128), "property box background");
        expectColour(c, pavlov.commonest(clientArea(text)), RGB(255, 255, 255), "display box stays white");
        expectColour(c, pavlov.commonest(pictureArea), RGB(192, 192, 255), "no picture for Pavlov");

        SendMessageW(option, BM_CLICK, 0, 0);
        UpdateWindow(main);
        const Capture hippocrates(main);
        hippocrates.savePng(directory + L"\\hippocrates_screen.png");
        // The 220-pixel picture sits at the top-left of its 224-pixel box; the
        // rest of the box has the platform's default colour.
        const int scale = window.dpi();
        const int edge = MulDiv(220, scale, 96);
        expectColour(c, hippocrates.at(pictureArea.left + 1, pictureArea.top + 1), RGB(0, 0, 0),
                     "the picture's black corner at the box's top-left", 24);
        expectColour(c, hippocrates.at(pictureArea.left + edge + 1, pictureArea.top + 10), GetSysColor(COLOR_BTNFACE),
                     "right of the picture: the box's own colour");
        c.check(pictureArea.right - pictureArea.left > edge, "the box is wider than the picture");
        int cream = 0;
        for (int y = pictureArea.top; y < pictureArea.top + edge; y += 4) {
            for (int x = pictureArea.left; x < pictureArea.left + edge; x += 4) {
                const COLORREF colour = hippocrates.at(x, y);
                if (GetRValue(colour) > 200 && GetGValue(colour) > 180 && GetBValue(colour) > 120) ++cream;
            }
        }
        c.check(cream > 100, "the faces are drawn (" + std::to_string(cream) + " light samples)");
    });
    c.equal(status, 0, "status 0");
}

}  // namespace temperament::wintest
