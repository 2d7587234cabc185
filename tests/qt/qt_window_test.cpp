// What the expected screens do not say of the Qt window: its size, font,
// icon, colours and picture, the names a screen reader gets, what the program
// itself sets, closing, and the error report. Screenshots go to
// TEMPERAMENT_SCREENSHOTS (the README's come from here).

#include "layers/qt/convert.hpp"
#include "layers/qt/layer.hpp"
#include "qt_harness.hpp"
#include "runtime/run_time_error.hpp"
#include "runtime/start.hpp"
#include "widget_access.hpp"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

namespace temperament {
namespace {

using qt_test::QtDriver;
using qt_test::saveScreenshot;
using test_support::widget;

// A grab holds device pixels: on a scaled screen, more than the window's own.
QColor colourAt(const QImage& image, QPoint windowPoint) {
    return image.pixelColor((QPointF(windowPoint) * image.devicePixelRatio()).toPoint());
}

QColor colourInside(const QImage& image, const QWidget& widget, QPoint offset) {
    return colourAt(image, widget.geometry().topLeft() + offset);
}

void expectRunsCleanly(const qt_test::Outcome& outcome) {
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.reports, std::vector<std::string>{});
}

TEST(QtWindow, FirstScreenHasTheDesignedSizeFontIconColoursAndNames) {
    expectRunsCleanly(qt_test::runWindow([](ui::MainForm& form, qt::Window& window, QtDriver&) {
        EXPECT_EQ(window.size(), QSize(461, 387));
        EXPECT_FALSE(window.windowIcon().isNull());
        const QFontInfo font(window.widgetOf(form.Text1().Item(0)).font());
        EXPECT_EQ(font.pointSize(), 12);
        EXPECT_TRUE(font.family() == "Times New Roman" || font.family() == "Liberation Serif")
            << font.family().toStdString();

        // Screen readers get a name for every control shown.
        for (QWidget* shown : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!shown->isVisible()) continue;
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(shown);
            EXPECT_TRUE(accessible != nullptr && !accessible->text(QAccessible::Name).isEmpty())
                << shown->objectName().toStdString();
        }

        const QImage image = window.grab().toImage();
        EXPECT_EQ(image.size(), (QSizeF(461, 387) * window.devicePixelRatio()).toSize());
        EXPECT_EQ(colourAt(image, {200, 150}), QColor(192, 192, 255));
        EXPECT_EQ(colourInside(image, window.widgetOf(form.Label1().Item(0)), {3, 3}), QColor(255, 192, 128));
        EXPECT_EQ(colourInside(image, window.widgetOf(form.Option1().Item(0)), {85, 2}), QColor(255, 128, 0));
        saveScreenshot(window, QStringLiteral("first-screen.png"));
    }));
}

TEST(QtWindow, HippocratesShowsThePictureAtTheInnerCornerOfItsBox) {
    expectRunsCleanly(qt_test::runWindow([](ui::MainForm& form, qt::Window& window, QtDriver& driver) {
        driver.click("Option1(0)");
        const QLabel& picture = widget<QLabel>(window, form.Picture1());
        EXPECT_EQ(picture.pixmap().size(), QSize(220, 220));
        EXPECT_EQ(picture.alignment(), Qt::AlignLeft | Qt::AlignTop);
        EXPECT_EQ(picture.contentsRect().topLeft(), QPoint(2, 2));
        saveScreenshot(window, QStringLiteral("hippocrates-screen.png"));
    }));
}

TEST(QtWindow, PavlovShowsTheBoxesInTheirColour) {
    expectRunsCleanly(qt_test::runWindow([](ui::MainForm& form, qt::Window& window, QtDriver& driver) {
        driver.click("Option1(2)");
        const QImage image = window.grab().toImage();
        EXPECT_EQ(colourInside(image, window.widgetOf(form.Check1().Item(1)), {125, 2}), QColor(128, 255, 128));
        saveScreenshot(window, QStringLiteral("pavlov-screen.png"));
    }));
}

TEST(QtWindow, AValueSetByTheProgramIsShownWithoutASecondClick) {
    const qt_test::Outcome outcome = qt_test::runWindow([](ui::MainForm& form, qt::Window& window, QtDriver& driver) {
        driver.click("Option1(2)");
        form.Check1().Item(2).Value(ui::CheckBox::Unchecked);
        const auto& box = widget<QCheckBox>(window, form.Check1().Item(2));
        EXPECT_EQ(box.checkState(), Qt::Unchecked);
        EXPECT_EQ(box.text(), QStringLiteral("бавен"));
        form.Check1().Item(2).Value(ui::CheckBox::Grayed);
        EXPECT_EQ(box.checkState(), Qt::PartiallyChecked);
    });
    expectRunsCleanly(outcome);
    EXPECT_EQ(outcome.clicks, (std::vector<std::string>{"Option1_Click(2)", "Check1_Click(2)", "Check1_Click(2)"}));
}

// The program never shows its list boxes, so their list is made only when one
// is shown; shown, it holds the designed items.
TEST(QtWindow, AListBoxShownByTheProgramListsItsItems) {
    expectRunsCleanly(qt_test::runWindow([](ui::MainForm& form, qt::Window& window, QtDriver& driver) {
        QWidget& box = window.widgetOf(form.List1().Item(1));
        EXPECT_EQ(box.findChild<QListWidget*>(), nullptr);
        form.List1().Item(1).Visible(true);
        EXPECT_TRUE(box.isVisible());
        const auto* list = box.findChild<QListWidget*>();
        ASSERT_TRUE(list != nullptr && list->isVisible());
        EXPECT_EQ(list->geometry(), box.rect());
        const headless::Screen screen = driver.read();
        const auto shown = std::find_if(screen.controls.begin(), screen.controls.end(),
                                        [](const headless::ShownControl& c) { return c.member == "List1(1)"; });
        ASSERT_NE(shown, screen.controls.end());
        EXPECT_EQ(shown->items, (std::vector<std::string>{"Екстроверт ", "Интроверт"}));
    }));
}

TEST(QtWindow, ClosingTheWindowEndsWithStatusZero) {
    qt::Layer layer;
    QTimer::singleShot(0, [] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (dynamic_cast<qt::Window*>(window) != nullptr) window->close();
        }
    });
    EXPECT_EQ(runtime::run(app::describeProject(), layer), 0);
}

// A fault injected into this test's copy of the project: choosing Jung
// raises a run-time error, which a message box (in the words every layer's
// report has) and standard error report.
TEST(QtWindow, ARunTimeErrorIsReportedAndEndsTheProgram) {
    const runtime::ProjectDescription project = test_support::aroundClicks(
        app::describeProject(), [](const std::string& click, ui::MainForm&, const auto& handler) {
            if (click == "Option1_Click(1)")
                throw runtime::RunTimeError(runtime::ErrorCode::InvalidPropertyIndex, "ListBox", "List1(1)", "List");
            handler();
        });
    struct Report {
        QString title;
        QString text;
        QString closing;
    } reported;
    QTimer::singleShot(0, [] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* form = dynamic_cast<qt::Window*>(window))
                test_support::click(*form->findChild<QRadioButton*>(QStringLiteral("Option1(1)")));
        }
    });
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            reported = {box->windowTitle(), box->text(), box->informativeText()};
            box->accept();
        }
    });
    closer.start(10);

    std::ostringstream errors;
    std::streambuf* const standardError = std::cerr.rdbuf(errors.rdbuf());
    qt::Layer layer;
    const int status = runtime::run(project, layer);
    std::cerr.rdbuf(standardError);

    EXPECT_EQ(status, runtime::failureStatus);
    EXPECT_TRUE(reported.text.contains(QStringLiteral("ListBox List1(1), List"))) << reported.text.toStdString();
    EXPECT_EQ(reported.title, qt::toQString(runtime::reportTitle));
    EXPECT_EQ(reported.closing, qt::toQString(runtime::reportClosing));
    EXPECT_EQ(QString::fromStdString(errors.str()), reported.text + u'\n');
}

}  // namespace
}  // namespace temperament
