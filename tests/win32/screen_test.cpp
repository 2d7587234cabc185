// Screenshots of the first, the Pavlov and the Hippocrates screens, as the
// window has drawn them, saved as PNG for a person to look at, with the
// designed colours sampled from them.

#include "probe.hpp"
#include "session.hpp"
#include "test_options.hpp"
#include "window_driver.hpp"

#include "ui/main_form.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

namespace temperament::wintest {
namespace {

RECT clientArea(HWND child) { return rectInParent(child); }

bool similar(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

void expectColour(COLORREF actual, COLORREF expected, const std::string& what, int tolerance = 0) {
    EXPECT_TRUE(similar(actual, expected, tolerance))
        << what << ": " << colourName(actual) << ", expected " << colourName(expected);
}

}  // namespace

TEST(Screens, ShowTheDesignedColoursAndThePictureInItsBorder) {
    const std::wstring& directory = testOptions().screens;
    ASSERT_FALSE(directory.empty()) << "the test program needs --screens=<folder for the screenshots>";
    ASSERT_GT(testOptions().dpi, 0) << "the test program needs --dpi=<the Wine prefix's DPI>";
    Session session;
    const int status = session.run([&](win32::Window& window, ui::MainForm& form) {
        HWND main = window.handle();
        const int dpi = testOptions().dpi;
        HWND label = nativeOf(main, form, form.Label1().Item(0));
        HWND option = nativeOf(main, form, form.Option1().Item(0));
        HWND text = nativeOf(main, form, form.Text1().Item(0));
        // The picture box, built when first shown, is where the design puts it.
        const ui::Rect& designed = form.Picture1().bounds();
        const RECT pictureArea{MulDiv(designed.left, dpi, 1440), MulDiv(designed.top, dpi, 1440),
                               MulDiv(designed.left + designed.width, dpi, 1440),
                               MulDiv(designed.top + designed.height, dpi, 1440)};

        const Capture first(main);
        first.savePng(directory + L"\\first_screen.png");
        expectColour(first.commonest(pictureArea), RGB(192, 192, 255), "window background (picture hidden)");
        expectColour(first.commonest(clientArea(label)), RGB(255, 192, 128), "title background");
        expectColour(first.commonest(clientArea(option)), RGB(255, 128, 0), "option background");
        expectColour(first.commonest(clientArea(text)), RGB(255, 255, 255), "display box is white");
        const RECT t = clientArea(text);
        EXPECT_NE(first.at((t.left + t.right) / 2, (t.top + t.bottom) / 2), CLR_INVALID) << "display box captured";

        SendMessageW(nativeOf(main, form, form.Option1().Item(2)), BM_CLICK, 0, 0);
        UpdateWindow(main);
        const Capture pavlov(main);
        pavlov.savePng(directory + L"\\pavlov_screen.png");
        expectColour(pavlov.commonest(clientArea(nativeOf(main, form, form.Check1().Item(0)))), RGB(128, 255, 128),
                     "property box background");
        expectColour(pavlov.commonest(clientArea(text)), RGB(255, 255, 255), "display box stays white");
        expectColour(pavlov.commonest(pictureArea), RGB(192, 192, 255), "no picture for Pavlov");

        SendMessageW(option, BM_CLICK, 0, 0);
        UpdateWindow(main);
        const Capture hippocrates(main);
        hippocrates.savePng(directory + L"\\hippocrates_screen.png");
        // The 220-pixel picture fills its 224-pixel box inside a sunken border
        // of 2 pixels: dark at the top and left, light at the bottom and right.
        constexpr int border = 2;
        const int edge = MulDiv(220, dpi, 96);
        const RECT inside = clientRect(nativeOf(main, form, form.Picture1()));
        EXPECT_TRUE(inside.right == edge && inside.bottom == edge) << "the box's client area is the picture's size";
        const RECT& frame = pictureArea;
        const POINT centre{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
        expectColour(hippocrates.at(frame.left, centre.y), GetSysColor(COLOR_BTNSHADOW),
                     "the border's outer left edge");
        expectColour(hippocrates.at(frame.left + 1, frame.top + 1), GetSysColor(COLOR_3DDKSHADOW),
                     "the border's inner top-left corner");
        expectColour(hippocrates.at(centre.x, frame.bottom - 1), GetSysColor(COLOR_BTNHIGHLIGHT),
                     "the border's outer bottom edge");
        expectColour(hippocrates.at(frame.left + border + edge, frame.top + border + 10), GetSysColor(COLOR_3DLIGHT),
                     "right of the picture: the border's inner right edge");
        // The picture starts 2 pixels in and ends 2 pixels before the far
        // corner: drawn at its natural size at the client area's origin.
        expectColour(hippocrates.at(frame.left + border, frame.top + border), RGB(0, 0, 0),
                     "the picture's black top-left corner, 2 pixels in", 24);
        expectColour(hippocrates.at(frame.left + border + edge - 1, frame.top + border + edge - 1), RGB(0, 0, 0),
                     "the picture's black bottom-right corner, 2 pixels before the box's", 24);
        int cream = 0;
        for (int y = frame.top + border; y < frame.top + border + edge; y += 4) {
            for (int x = frame.left + border; x < frame.left + border + edge; x += 4) {
                const COLORREF colour = hippocrates.at(x, y);
                if (GetRValue(colour) > 200 && GetGValue(colour) > 180 && GetBValue(colour) > 120) ++cream;
            }
        }
        EXPECT_GT(cream, 100) << "the faces are drawn (light samples)";
    });
    EXPECT_EQ(status, 0);
}

}  // namespace temperament::wintest
