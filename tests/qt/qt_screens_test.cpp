// The Qt window against the expected screens: every scenario and the walk
// over every reachable state, played with real mouse clicks and key presses
// on the widgets and read back from the widgets themselves.

#include "app/project.hpp"
#include "layers/qt/window.hpp"
#include "runtime/start.hpp"
#include "support/screens.hpp"
#include "support/walk.hpp"
#include "widget_access.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QtTest>

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <utility>

namespace temperament {
namespace {

using test_support::ScreenDriver;

std::string toUtf8(const QString& text) { return text.toStdString(); }

// A button's caption as stored: Qt shows a doubled ampersand as one.
std::string buttonCaption(const QAbstractButton& button) {
    return toUtf8(QString(button.text()).replace(QStringLiteral("&&"), QStringLiteral("&")));
}

class QtDriver final : public ScreenDriver {
public:
    QtDriver(const ui::MainForm& form, qt::Window& window, std::vector<std::string>& clicks)
        : form_(form), window_(window), clicks_(clicks) {}

    std::optional<std::vector<std::string>> takeClicks() override { return std::exchange(clicks_, {}); }

    void click(const std::string& member) override {
        QWidget& widget = window_.widgetOf(test_support::controlNamed(form_, member));
        if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
            test_support::click(*button);
        } else {
            QWidget* target = widget.focusProxy() != nullptr ? widget.focusProxy() : &widget;
            if (auto* area = qobject_cast<QAbstractScrollArea*>(&widget)) target = area->viewport();
            QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
        }
    }

    void press(headless::Key key) override {
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
        }
    }

    headless::Screen read() override {
        headless::Screen screen{toUtf8(window_.windowTitle()), {}, {}};
        const QWidget* focused = QApplication::focusWidget();
        for (const ui::Control* control : form_.tabOrder()) {
            const QWidget& widget = window_.widgetOf(*control);
            if (&widget == focused || (focused != nullptr && widget.isAncestorOf(focused)))
                screen.focus = control->memberName();
            headless::ShownControl shown{control->memberName(), control->kind(), widget.isVisible(), {}, ' ', {}};
            if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
                if (control->kind() == ui::ControlKind::Label) shown.text = toUtf8(label->text());
            } else if (const auto* edit = qobject_cast<const QPlainTextEdit*>(&widget)) {
                shown.text = toUtf8(edit->toPlainText().replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
                // A text box whose text ends in a line break shows an empty last line.
            } else if (const auto* box = qobject_cast<const QCheckBox*>(&widget)) {
                shown.text = buttonCaption(*box);
                shown.mark = box->checkState() == Qt::Checked            ? 'x'
                             : box->checkState() == Qt::PartiallyChecked ? '-'
                                                                         : ' ';
            } else if (const auto* option = qobject_cast<const QRadioButton*>(&widget)) {
                shown.text = buttonCaption(*option);
                shown.mark = option->isChecked() ? '*' : ' ';
            } else if (const auto* list = widget.findChild<const QListWidget*>()) {
                for (int i = 0; i < list->count(); ++i) shown.items.push_back(toUtf8(list->item(i)->text()));
            }
            screen.controls.push_back(std::move(shown));
        }
        return screen;
    }

private:
    const ui::MainForm& form_;
    qt::Window& window_;
    std::vector<std::string>& clicks_;
};

// Starts the real program, shows its window and lets `body` drive it.
class DrivenQtLayer final : public runtime::WindowingLayer, private runtime::ErrorReporter {
public:
    explicit DrivenQtLayer(const std::function<void(ScreenDriver&)>& body) : body_(body) {}

    runtime::ErrorReporter& reporter() override { return *this; }
    int run(ui::MainForm& form, runtime::Dispatcher& dispatcher) override {
        qt::Window window(form, dispatcher);
        window.showCentred();
        QApplication::setActiveWindow(&window);
        if (!QTest::qWaitForWindowActive(&window)) throw std::runtime_error("the window never became active");
        clicks.clear();  // those of Form_Load
        QtDriver driver(form, window, clicks);
        body_(driver);
        return dispatcher.exitStatus();
    }

    std::string reports;
    std::vector<std::string> clicks;

private:
    void report(std::string_view message) override { reports += std::string(message) + '\n'; }

    const std::function<void(ScreenDriver&)>& body_;
};

void withQtWindow(const std::function<void(ScreenDriver&)>& body) {
    DrivenQtLayer layer(body);
    const int status = runtime::run(test_support::logClicks(app::describeProject(), layer.clicks), layer);
    if (status != 0 || !layer.reports.empty())
        throw std::runtime_error("the program ended with status " + std::to_string(status) + ": " + layer.reports);
}

const std::filesystem::path folder = TEMPERAMENT_SCREENS;

TEST(QtScreens, EveryScenario) {
    for (const std::filesystem::path& file : test_support::scenarioFiles(folder)) {
        const test_support::Scenario scenario = test_support::readScenario(file);
        std::string problem;
        withQtWindow([&](ScreenDriver& driver) { problem = test_support::mismatch(scenario, driver); });
        if (!problem.empty()) ADD_FAILURE() << file.filename().string() << ", " << problem;
    }
}

TEST(QtScreens, EveryReachableStateAndTransition) {
    const test_support::StateGraph graph = test_support::readWalk(folder / "every_state.walk");
    const std::string problem = test_support::walkMismatch(graph, withQtWindow);
    if (!problem.empty()) ADD_FAILURE() << problem;
}

}  // namespace
}  // namespace temperament

// Qt's widgets need their application before the first test.
int main(int argc, char** argv) {
    std::array<char, 12> name{"qt_screens"};
    std::array<char*, 2> qtArguments{name.data(), nullptr};
    int qtCount = 1;
    const QApplication application(qtCount, qtArguments.data());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
