// The Qt window's accessible interfaces, called in the program's process as
// the accessibility bridge calls them: every action of a button is one click
// through the model, and no call an assistive technology or the toolkit can
// make leaves a widget showing what the model does not hold. (What reaches a
// screen reader over AT-SPI is tested on the running program by
// tests/linux/accessibility_test.py.)

#include "qt_harness.hpp"
#include "widget_access.hpp"

#include <QAccessible>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QtTest>

#include <gtest/gtest.h>

namespace temperament {
namespace {

using qt_test::QtDriver;
using test_support::widget;

QAccessibleActionInterface& actionsOf(QWidget& widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&widget);
    if (accessible == nullptr || accessible->actionInterface() == nullptr) {
        throw std::logic_error(widget.objectName().toStdString() + " has no accessible actions");
    }
    return *accessible->actionInterface();
}

// The step's text but the focus, which a click moves and an action does not.
std::string withoutFocus(std::string text) {
    const std::size_t focus = text.find("\nFocus ");
    if (focus != std::string::npos) text.erase(focus, text.find('\n', focus + 1) - focus);
    return text;
}

// Each step: a member and the accessible action that plays its click.
struct Step {
    const char* member;
    const QString& action;
};

TEST(QtAccessibility, EveryActionOfAButtonIsExactlyOneClick) {
    const std::vector<Step> steps{
        {"Option1(2)", QAccessibleActionInterface::toggleAction()},
        {"Option1(2)", QAccessibleActionInterface::pressAction()},  // chosen again, as a click does
        {"Check1(2)", QAccessibleActionInterface::toggleAction()},
        {"Check1(0)", QAccessibleActionInterface::pressAction()},
        {"Check1(0)", QAccessibleActionInterface::toggleAction()},
        {"Option1(0)", QAccessibleActionInterface::pressAction()},
        {"Option1(1)", QAccessibleActionInterface::toggleAction()},
    };
    // What the mouse makes of the same clicks, step by step.
    std::vector<std::string> byMouse;
    qt_test::withQtWindow([&](test_support::ScreenDriver& driver) {
        (void)driver.takeClicks();
        for (const Step& step : steps) {
            driver.click(step.member);
            byMouse.push_back(withoutFocus(test_support::stepText(*driver.takeClicks(), driver.read())));
        }
    });
    const qt_test::Outcome outcome = qt_test::runWindow([&](ui::MainForm& form, qt::Window& window, QtDriver& driver) {
        for (std::size_t i = 0; i < steps.size(); ++i) {
            QWidget& button = window.widgetOf(test_support::controlNamed(form, steps[i].member));
            actionsOf(button).doAction(steps[i].action);
            EXPECT_EQ(withoutFocus(test_support::stepText(*driver.takeClicks(), driver.read())), byMouse[i])
                << steps[i].action.toStdString() << " on " << steps[i].member;
        }
    });
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.reports, std::vector<std::string>{});
}

TEST(QtAccessibility, NoToolkitCallChangesAButtonBehindTheModel) {
    const qt_test::Outcome outcome = qt_test::runWindow([](ui::MainForm& form, qt::Window& window, QtDriver& driver) {
        driver.click("Option1(2)");
        (void)driver.takeClicks();
        const std::string before = test_support::stepText({}, driver.read());

        auto& pavlov = widget<QRadioButton>(window, form.Option1().Item(2));
        auto& hippocrates = widget<QRadioButton>(window, form.Option1().Item(0));
        auto& strong = widget<QCheckBox>(window, form.Check1().Item(0));
        hippocrates.toggle();
        hippocrates.setChecked(true);
        pavlov.setChecked(false);
        strong.toggle();
        strong.setCheckState(Qt::PartiallyChecked);
        strong.setChecked(false);

        EXPECT_TRUE(pavlov.isChecked() && !hippocrates.isChecked() && strong.checkState() == Qt::Checked);
        EXPECT_EQ(test_support::stepText(*driver.takeClicks(), driver.read()), before);
    });
    EXPECT_EQ(outcome.clicks, std::vector<std::string>{});
    EXPECT_EQ(outcome.reports, std::vector<std::string>{});
}

// The first screen hides the property boxes: their actions are not offered,
// and neither an action nor the toolkit's click raises a Click.
TEST(QtAccessibility, AHiddenBoxTakesNoAction) {
    const qt_test::Outcome outcome = qt_test::runWindow([](ui::MainForm& form, qt::Window& window, QtDriver& driver) {
        auto& strong = widget<QCheckBox>(window, form.Check1().Item(0));
        ASSERT_FALSE(strong.isVisible());
        QAccessibleActionInterface& actions = actionsOf(strong);
        EXPECT_FALSE(actions.actionNames().contains(QAccessibleActionInterface::toggleAction()));
        const std::string before = test_support::stepText({}, driver.read());
        actions.doAction(QAccessibleActionInterface::toggleAction());
        actions.doAction(QAccessibleActionInterface::pressAction());
        strong.click();
        EXPECT_EQ(test_support::stepText(*driver.takeClicks(), driver.read()), before);
    });
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.reports, std::vector<std::string>{});
}

// Qt's editable-text interface edits the document of a read-only box too.
TEST(QtAccessibility, TheDisplayBoxKeepsTheModelsText) {
    const qt_test::Outcome outcome = qt_test::runWindow([](ui::MainForm& form, qt::Window& window, QtDriver& driver) {
        driver.click("Option1(1)");
        (void)driver.takeClicks();
        const std::string before = test_support::stepText({}, driver.read());
        auto& display = widget<QPlainTextEdit>(window, form.Text1().Item(0));
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&display);
        ASSERT_TRUE(accessible != nullptr);
        EXPECT_TRUE(accessible->state().readOnly);
        if (QAccessibleEditableTextInterface* editable = accessible->editableTextInterface()) {
            editable->insertText(0, QStringLiteral("x"));
            editable->deleteText(0, 5);
        }
        accessible->setText(QAccessible::Value, QStringLiteral("y"));
        QCoreApplication::processEvents();
        EXPECT_EQ(test_support::stepText(*driver.takeClicks(), driver.read()), before);
    });
    EXPECT_EQ(outcome.reports, std::vector<std::string>{});
}

}  // namespace
}  // namespace temperament
