// What a pupil with low vision sees on the Qt window: the platform's palette
// as it comes, and a high-contrast black, a high-contrast white and a dark
// palette, set by the test as a platform theme hands one over (Qt 6.4 tells
// no contrast preference: the palette is the signal). From the window's own
// pixels, every text shown must stand out from its background by 4.5:1, and
// the focus indicator and, where a button takes the palette's colours, its
// check mark by 3:1, measured with the core's contrast ratio; a palette
// changed while the program runs repaints it.
// Screenshots of each palette go to TEMPERAMENT_SCREENSHOTS.

#include "layers/qt/convert.hpp"
#include "qt_harness.hpp"
#include "support/contrast_reading.hpp"
#include "widget_access.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QPlainTextEdit>
#include <QStyleOptionButton>

#include <gtest/gtest.h>

#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace temperament {
namespace {

using qt_test::QtDriver;

struct PlatformPalette {
    std::string name;
    std::optional<QPalette> palette;  // none: the platform's own
};

// Every role of a palette in a scheme's text, background and selection.
QPalette schemePalette(QColor text, QColor background, QColor base, QColor highlight, QColor highlightedText) {
    QPalette palette;
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                                           QPalette::ToolTipText, QPalette::PlaceholderText}) {
        palette.setColor(role, text);
    }
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Button, QPalette::ToolTipBase}) {
        palette.setColor(role, background);
    }
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, base);
    palette.setColor(QPalette::Highlight, highlight);
    palette.setColor(QPalette::HighlightedText, highlightedText);
    return palette;
}

const PlatformPalette platformOwn{"default", std::nullopt};
const PlatformPalette highContrastBlack{
    "high_contrast_black", schemePalette(Qt::white, Qt::black, Qt::black, QColor(26, 235, 255), Qt::black)};
const PlatformPalette highContrastWhite{"high_contrast_white",
                                        schemePalette(Qt::black, Qt::white, Qt::white, QColor(55, 0, 110), Qt::white)};
// A dark desktop's, as Qt 6.5 and later take GTK's or KDE passes its own.
const PlatformPalette dark{"dark", schemePalette(QColor(252, 252, 252), QColor(49, 54, 59), QColor(35, 38, 41),
                                                 QColor(61, 174, 233), QColor(252, 252, 252))};

// The application's palette for this object's life; the earlier one is put
// back after.
class PaletteInUse {
public:
    explicit PaletteInUse(const std::optional<QPalette>& palette) {
        if (palette) set(*palette);
    }
    ~PaletteInUse() { set(earlier_); }
    PaletteInUse(const PaletteInUse&) = delete;
    PaletteInUse& operator=(const PaletteInUse&) = delete;

private:
    // Qt tells the widgets of the change through the event loop.
    static void set(const QPalette& palette) {
        QApplication::setPalette(palette);
        QCoreApplication::processEvents();
    }

    QPalette earlier_ = QApplication::palette();
};

// The pixels of an area of the window, row by row.
std::vector<ui::Colour> pixels(const QImage& image, const QRect& area) {
    std::vector<ui::Colour> colours;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) colours.push_back(qt::toBgr(image.pixelColor(x, y)));
    }
    return colours;
}

// A rectangle of a button's, as its style lays it out, in the window.
QRect buttonPart(const QAbstractButton& button, QStyle::SubElement part) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    return button.style()->subElementRect(part, &option, &button).translated(button.pos());
}

bool isCheckBox(const QWidget& widget) { return qobject_cast<const QCheckBox*>(&widget) != nullptr; }

// Where a control's words are: a button's right of its check mark, a text
// box's inside its frame.
QRect wordsOf(const QWidget& widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget))
        return buttonPart(*button, isCheckBox(*button) ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents);
    if (const auto* box = qobject_cast<const QPlainTextEdit*>(&widget))
        return box->viewport()->geometry().translated(box->pos());
    return widget.geometry();
}

// Every caption and text the window shows in the grab reads.
void expectTextsRead(const QImage& image, const ui::MainForm& form, const qt::Window& window) {
    for (const ui::Control* control : form.tabOrder()) {
        if (control->kind() == ui::ControlKind::PictureBox || !control->Visible()) continue;
        test_support::expectTextReads(pixels(image, wordsOf(window.widgetOf(*control))), control->memberName());
    }
}

// Where a button takes the system's colours, its check mark's ring or box
// stands out from them too (Fusion draws it a shade darker than the
// background, which on black is black).
void expectCheckMarksOutlined(const QImage& image, const ui::MainForm& form, const qt::Window& window) {
    for (const ui::Control* control : form.tabOrder()) {
        const auto* button = qobject_cast<const QAbstractButton*>(&window.widgetOf(*control));
        if (button == nullptr || !control->Visible()) continue;
        const ui::Colour background = test_support::commonest(pixels(image, wordsOf(*button)));
        if (background == control->backColor()) continue;
        const QRect mark =
            buttonPart(*button, isCheckBox(*button) ? QStyle::SE_CheckBoxIndicator : QStyle::SE_RadioButtonIndicator);
        test_support::expectCheckMarkOutlined(pixels(image, mark), mark.width(), background,
                                              control->memberName() + "'s check mark");
    }
}

// The focus indicator of a button that has just taken the focus goes round
// its caption, where the style puts it (Fusion also tints the check mark's
// ring, beside it).
void expectFocusIndicator(const QImage& before, const QImage& after, const qt::Window& window,
                          const ui::Control& control) {
    const auto& button = test_support::widget<QAbstractButton>(window, control);
    const QRect focus =
        buttonPart(button, isCheckBox(button) ? QStyle::SE_CheckBoxFocusRect : QStyle::SE_RadioButtonFocusRect)
            .intersected(button.geometry());
    test_support::expectFocusStandsOut(pixels(before, focus), pixels(after, focus),
                                       2 * (focus.width() + focus.height()) - 4, control.memberName());
}

QImage grabbed(qt::Window& window) { return window.grab().toImage(); }

class QtContrast : public testing::TestWithParam<const PlatformPalette*> {};

TEST_P(QtContrast, EveryTextTheCheckMarksAndTheFocusStandOut) {
    const PlatformPalette& scheme = *GetParam();
    const PaletteInUse inUse(scheme.palette);
    std::cout << scheme.name << ":\n";
    const qt_test::Outcome outcome = qt_test::runWindow([&](ui::MainForm& form, qt::Window& window, QtDriver& driver) {
        const QImage first = grabbed(window);
        qt_test::saveScreenshot(window, QString::fromStdString("contrast-" + scheme.name + "-first.png"));
        expectTextsRead(first, form, window);
        expectCheckMarksOutlined(first, form, window);
        // From the display box to the option group, and on with an arrow.
        driver.press(headless::Key::Tab);
        const QImage onFirst = grabbed(window);
        expectFocusIndicator(first, onFirst, window, form.Option1().Item(0));
        driver.press(headless::Key::Down);
        expectFocusIndicator(onFirst, grabbed(window), window, form.Option1().Item(1));

        driver.click("Option1(2)");
        const QImage pavlov = grabbed(window);
        qt_test::saveScreenshot(window, QString::fromStdString("contrast-" + scheme.name + "-pavlov.png"));
        expectTextsRead(pavlov, form, window);
        expectCheckMarksOutlined(pavlov, form, window);
        driver.press(headless::Key::Tab);
        expectFocusIndicator(pavlov, grabbed(window), window, form.Check1().Item(0));
    });
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.reports, std::vector<std::string>{});
}

// A test's name is its palette's.
std::string paletteName(const testing::TestParamInfo<const PlatformPalette*>& palette) { return palette.param->name; }

INSTANTIATE_TEST_SUITE_P(Palettes, QtContrast,
                         testing::Values(&platformOwn, &highContrastBlack, &highContrastWhite, &dark), paletteName);

TEST(QtContrastFollows, APaletteChangedWhileTheProgramRunsRepaintsIt) {
    const qt_test::Outcome outcome = qt_test::runWindow([&](ui::MainForm& form, qt::Window& window, QtDriver&) {
        const QRect displayBox = window.widgetOf(form.Text1().Item(0)).geometry();
        const QRect title = window.widgetOf(form.Label1().Item(0)).geometry();
        const QImage before = grabbed(window);
        {
            const PaletteInUse black(highContrastBlack.palette);
            const QImage after = grabbed(window);
            EXPECT_EQ(after.pixelColor(title.center()), QColor(Qt::black)) << "the title takes the palette's window";
            EXPECT_EQ(after.pixelColor(2, 200), QColor(Qt::black)) << "and so does the window";
            std::cout << "switched to high-contrast black while running:\n";
            expectTextsRead(after, form, window);
        }
        const QImage restored = grabbed(window);
        int differing = 0;
        for (int y = 0; y < before.height(); ++y) {
            for (int x = 0; x < before.width(); ++x) {
                if (!displayBox.contains(x, y) && before.pixel(x, y) != restored.pixel(x, y)) ++differing;
            }
        }
        EXPECT_EQ(differing, 0) << "the platform's palette comes back as it was (outside the display box, whose "
                                   "cursor blinks)";
    });
    EXPECT_EQ(outcome.status, 0);
}

}  // namespace
}  // namespace temperament
