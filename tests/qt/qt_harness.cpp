#include "qt_harness.hpp"

#include "runtime/start.hpp"
#include "support/driven_layer.hpp"
#include "widget_access.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QtTest>

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

namespace temperament::qt_test {
namespace {

std::string toUtf8(const QString& text) { return text.toStdString(); }

// A button's caption as stored: Qt shows a doubled ampersand as one.
std::string buttonCaption(const QAbstractButton& button) {
    return toUtf8(QString(button.text()).replace(QStringLiteral("&&"), QStringLiteral("&")));
}

}  // namespace

void QtDriver::click(const std::string& member) {
    QWidget& widget = window_.widgetOf(test_support::controlNamed(form_, member));
    if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        test_support::click(*button);
        return;
    }
    QWidget* target = &widget;
    if (auto* area = qobject_cast<QAbstractScrollArea*>(&widget)) target = area->viewport();
    QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
}

void QtDriver::press(headless::Key key) {
    QWidget* focused = QApplication::focusWidget();
    QWidget* target = focused != nullptr ? focused : &window_;
    switch (key) {
    case headless::Key::Tab: QTest::keyClick(target, Qt::Key_Tab); break;
    case headless::Key::ShiftTab: QTest::keyClick(target, Qt::Key_Tab, Qt::ShiftModifier); break;
    case headless::Key::Space: QTest::keyClick(target, Qt::Key_Space); break;
    case headless::Key::Up: QTest::keyClick(target, Qt::Key_Up); break;
    case headless::Key::Down: QTest::keyClick(target, Qt::Key_Down); break;
    case headless::Key::Left: QTest::keyClick(target, Qt::Key_Left); break;
    case headless::Key::Right: QTest::keyClick(target, Qt::Key_Right); break;
    case headless::Key::Escape: QTest::keyClick(target, Qt::Key_Escape); break;
    }
}

headless::Screen QtDriver::read() {
    headless::Screen screen{toUtf8(window_.windowTitle()), {}, {}};
    const QWidget* focused = QApplication::focusWidget();
    for (const ui::Control* control : form_.tabOrder()) {
        const QWidget& widget = window_.widgetOf(*control);
        if (&widget == focused) screen.focus = control->memberName();
        headless::ShownControl shown{control->memberName(), control->kind(), widget.isVisible(), {}, ' ', {}};
        if (const auto* edit = qobject_cast<const QPlainTextEdit*>(&widget)) {
            // Qt breaks lines at LF; a CR that reached the widget would show as "\r\r\n".
            shown.text = toUtf8(edit->toPlainText().replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
        } else if (const auto* box = qobject_cast<const QCheckBox*>(&widget)) {
            shown.text = buttonCaption(*box);
            shown.mark = box->checkState() == Qt::Checked ? 'x' : box->checkState() == Qt::PartiallyChecked ? '-' : ' ';
        } else if (const auto* option = qobject_cast<const QRadioButton*>(&widget)) {
            shown.text = buttonCaption(*option);
            shown.mark = option->isChecked() ? '*' : ' ';
        } else if (const auto* label = qobject_cast<const QLabel*>(&widget);
                   label != nullptr && control->kind() == ui::ControlKind::Label) {
            shown.text = toUtf8(label->text());
        } else if (const auto* list = widget.findChild<const QListWidget*>()) {
            for (int i = 0; i < list->count(); ++i) shown.items.push_back(toUtf8(list->item(i)->text()));
        }
        screen.controls.push_back(std::move(shown));
    }
    return screen;
}

std::optional<std::vector<std::string>> QtDriver::takeClicks() { return std::exchange(clicks_, {}); }

Outcome runWindow(const Body& body, const runtime::ProjectDescription& project) {
    Outcome outcome;
    test_support::DrivenLayer layer([&](ui::MainForm& form, runtime::Dispatcher& dispatcher) {
        outcome.clicks.clear();  // those of Form_Load
        qt::Window window(form, dispatcher);
        window.showCentred();
        QApplication::setActiveWindow(&window);
        if (!QTest::qWaitForWindowActive(&window)) throw std::runtime_error("the window never became active");
        QtDriver driver(form, window, outcome.clicks);
        body(form, window, driver);
    });
    outcome.status = runtime::run(test_support::logClicks(project, outcome.clicks), layer);
    outcome.reports = layer.reports();
    return outcome;
}

void saveScreenshot(qt::Window& window, const QString& name) {
    const QString folder = qEnvironmentVariable("TEMPERAMENT_SCREENSHOTS", QDir::currentPath());
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(window.grab().save(folder + u'/' + name));
}

void withQtWindow(const std::function<void(test_support::ScreenDriver&)>& body) {
    const Outcome outcome = runWindow([&](ui::MainForm&, qt::Window&, QtDriver& driver) { body(driver); });
    if (outcome.status != 0 || !outcome.reports.empty()) {
        throw std::runtime_error("the program ended with status " + std::to_string(outcome.status) +
                                 (outcome.reports.empty() ? "" : ": " + outcome.reports.front()));
    }
}

}  // namespace temperament::qt_test
