// The real window, driven as a user drives it: mouse clicks and key presses on
// the native widgets, read back from the widgets themselves.

#include "qt_window_test.hpp"

#include "app/project.hpp"
#include "layers/qt/convert.hpp"
#include "layers/qt/layer.hpp"
#include "layers/qt/window.hpp"
#include "runtime/run_time_error.hpp"
#include "support/expected_texts.hpp"
#include "widget_access.hpp"

#include <QAccessible>
#include <QCheckBox>
#include <QDir>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace temperament {
namespace {

using Script = std::function<void(ui::MainForm&, qt::Window&)>;

// Runs the real start-up, shows the window and hands it to a script in place
// of the event loop. Clicks that reach the handlers are logged.
class ScriptedLayer final : public runtime::WindowingLayer, private runtime::ErrorReporter {
public:
    runtime::ErrorReporter& reporter() override { return *this; }
    int run(ui::MainForm& form, runtime::Dispatcher& dispatcher) override {
        clicks.clear();  // those of Form_Load
        qt::Window window(form, dispatcher);
        window.showCentred();
        QApplication::setActiveWindow(&window);
        if (!QTest::qWaitForWindowActive(&window)) throw std::runtime_error("the window never became active");
        script(form, window);
        return dispatcher.exitStatus();
    }

    Script script;
    std::vector<std::string> clicks;
    std::vector<std::string> reports;

private:
    void report(std::string_view message) override { reports.emplace_back(message); }
};

runtime::ProjectDescription logClicks(runtime::ProjectDescription project, std::vector<std::string>& log) {
    for (runtime::ClickBinding& binding : project.clickHandlers) {
        binding.handler = [&log, name = std::string(binding.group), handler = binding.handler](ui::MainForm& form,
                                                                                               runtime::Int16 index) {
            log.push_back(name + "_Click(" + runtime::toString(index) + ")");
            handler(form, index);
        };
    }
    return project;
}

// Runs the program with `script` and checks that it ends with status 0.
void drive(const Script& script, ScriptedLayer& layer) {
    layer.script = script;
    const int status = runtime::run(logClicks(app::describeProject(), layer.clicks), layer);
    QCOMPARE(status, 0);
    QVERIFY(layer.reports.empty());
}

using test_support::click;
using test_support::widget;

void chooseClassification(const ui::MainForm& form, const qt::Window& window, std::int16_t index) {
    click(widget<QRadioButton>(window, form.Option1().Item(index)));
}

void toggleBox(const ui::MainForm& form, const qt::Window& window, std::int16_t index) {
    click(widget<QCheckBox>(window, form.Check1().Item(index)));
}

// The display box's text as the model keeps it, with CR LF line breaks; a CR
// shown on screen would fail the comparison.
QString shownText(const ui::MainForm& form, const qt::Window& window) {
    QString text = widget<QPlainTextEdit>(window, form.Text1().Item(0)).toPlainText();
    return text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
}

struct ShownBox {
    Qt::CheckState state;
    QString caption;
    bool visible;
    bool operator==(const ShownBox&) const = default;
};

ShownBox shownBox(const ui::MainForm& form, const qt::Window& window, std::int16_t index) {
    const auto& box = widget<QCheckBox>(window, form.Check1().Item(index));
    return {box.checkState(), box.text(), box.isVisible()};
}

char* toString(const ShownBox& box) {
    return QTest::toString(QStringLiteral("{%1, \"%2\", %3}")
                               .arg(box.state)
                               .arg(box.caption, box.visible ? QStringLiteral("shown") : QStringLiteral("hidden")));
}

QString memberName(const QWidget* widget) {
    return widget == nullptr ? QStringLiteral("nothing") : widget->objectName();
}

// A grab holds device pixels: on a scaled screen, more than the window's own.
QColor colourAt(const QImage& image, QPoint windowPoint) {
    return image.pixelColor((QPointF(windowPoint) * image.devicePixelRatio()).toPoint());
}

QColor colourInside(const QImage& image, const QWidget& widget, QPoint offset) {
    return colourAt(image, widget.geometry().topLeft() + offset);
}

void saveScreenshot(qt::Window& window, const QString& name) {
    const QString folder = qEnvironmentVariable("TEMPERAMENT_SCREENSHOTS", QDir::currentPath());
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(window.grab().save(folder + u'/' + name));
}

}  // namespace

void QtWindowTest::firstScreenIsTheLoadedDesign() {
    ScriptedLayer layer;
    drive(
        [](ui::MainForm& form, qt::Window& window) {
            QCOMPARE(window.size(), QSize(461, 387));
            QCOMPARE(window.windowTitle().toStdString(), form.Caption());
            QVERIFY(!window.windowIcon().isNull());
            const QFontInfo font(window.widgetOf(form.Text1().Item(0)).font());
            QCOMPARE(font.pointSize(), 12);
            QVERIFY2(font.family() == "Times New Roman" || font.family() == "Liberation Serif",
                     qPrintable(font.family()));
            QVERIFY(!window.widgetOf(form.Picture1()).isVisible());
            for (std::int16_t i = 0; i < 3; ++i) {
                QVERIFY(!window.widgetOf(form.Check1().Item(i)).isVisible());
                QVERIFY(!window.widgetOf(form.List1().Item(i)).isVisible());
                QVERIFY(!widget<QRadioButton>(window, form.Option1().Item(i)).isChecked());
            }
            QVERIFY(!window.widgetOf(form.Text1().Item(1)).isVisible());
            QCOMPARE(shownText(form, window), QString::fromStdString(form.Text1().Item(0).Text()));
            QCOMPARE(memberName(QApplication::focusWidget()), QStringLiteral("Text1(0)"));
            QCOMPARE(widget<QLabel>(window, form.Label1().Item(0)).text(),
                     QStringLiteral("Класификация на видове темперамент"));
            QCOMPARE(widget<QRadioButton>(window, form.Option1().Item(1)).text(), QStringLiteral("Юнг "));

            // Screen readers get a name for every control shown.
            for (const QWidget* shown : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (!shown->isVisible()) continue;
                QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(const_cast<QWidget*>(shown));
                QVERIFY2(accessible != nullptr && !accessible->text(QAccessible::Name).isEmpty(),
                         qPrintable(shown->objectName()));
            }

            const QImage image = window.grab().toImage();
            QCOMPARE(image.size(), (QSizeF(461, 387) * window.devicePixelRatio()).toSize());
            QCOMPARE(colourAt(image, {200, 150}), QColor(192, 192, 255));
            QCOMPARE(colourInside(image, window.widgetOf(form.Label1().Item(0)), {3, 3}), QColor(255, 192, 128));
            QCOMPARE(colourInside(image, window.widgetOf(form.Option1().Item(0)), {85, 2}), QColor(255, 128, 0));
            saveScreenshot(window, QStringLiteral("first-screen.png"));
        },
        layer);
    QVERIFY(layer.clicks.empty());
}

void QtWindowTest::eachClassificationShowsItsTextPictureAndBoxes_data() {
    QTest::addColumn<int>("index");
    QTest::newRow("Hippocrates") << 0;
    QTest::newRow("Jung") << 1;
    QTest::newRow("Pavlov") << 2;
}

void QtWindowTest::eachClassificationShowsItsTextPictureAndBoxes() {
    QFETCH(int, index);
    const auto chosen = static_cast<std::int16_t>(index);
    ScriptedLayer layer;
    drive(
        [chosen](ui::MainForm& form, qt::Window& window) {
            chooseClassification(form, window, chosen);
            QCOMPARE(shownText(form, window), qt::toQString(test_support::classificationTexts.at(chosen)));
            QCOMPARE(window.widgetOf(form.Picture1()).isVisible(), chosen == 0);
            if (chosen == 0) {
                const QLabel& picture = widget<QLabel>(window, form.Picture1());
                QCOMPARE(picture.pixmap().size(), QSize(220, 220));
                QCOMPARE(picture.alignment(), Qt::AlignLeft | Qt::AlignTop);
            }
            for (std::int16_t i = 0; i < 3; ++i) {
                QCOMPARE(window.widgetOf(form.Check1().Item(i)).isVisible(), chosen == 2);
                QCOMPARE(widget<QRadioButton>(window, form.Option1().Item(i)).isChecked(), i == chosen);
            }
        },
        layer);
    QCOMPARE(layer.clicks, std::vector<std::string>{"Option1_Click(" + std::to_string(chosen) + ")"});
}

void QtWindowTest::propertyBoxesRenameAndShowWhatIsMeaningful() {
    ScriptedLayer layer;
    drive(
        [](ui::MainForm& form, qt::Window& window) {
            const auto boxes = [&] {
                return std::vector<ShownBox>{shownBox(form, window, 0), shownBox(form, window, 1),
                                             shownBox(form, window, 2)};
            };
            using B = ShownBox;
            chooseClassification(form, window, 2);
            QCOMPARE(boxes(), (std::vector<B>{{Qt::Checked, "Силен", true},
                                              {Qt::Checked, "Уравновесен", true},
                                              {Qt::Checked, "подвижен", true}}));
            const QImage image = window.grab().toImage();
            QCOMPARE(colourInside(image, window.widgetOf(form.Check1().Item(1)), {125, 2}), QColor(128, 255, 128));
            saveScreenshot(window, QStringLiteral("pavlov-screen.png"));

            toggleBox(form, window, 2);
            QCOMPARE(shownBox(form, window, 2), (B{Qt::Unchecked, "бавен", true}));
            toggleBox(form, window, 1);
            QCOMPARE(boxes(), (std::vector<B>{{Qt::Checked, "Силен", true},
                                              {Qt::Unchecked, "Неуравновесен", true},
                                              {Qt::Unchecked, "бавен", false}}));
            toggleBox(form, window, 0);
            QCOMPARE(boxes(), (std::vector<B>{{Qt::Unchecked, "Слаб", true},
                                              {Qt::Unchecked, "Неуравновесен", false},
                                              {Qt::Unchecked, "бавен", false}}));

            // Away and back: Pavlov shows all three boxes, keeping their states.
            chooseClassification(form, window, 0);
            QCOMPARE(boxes()[0], (B{Qt::Unchecked, "Слаб", false}));
            chooseClassification(form, window, 2);
            QCOMPARE(boxes(), (std::vector<B>{{Qt::Unchecked, "Слаб", true},
                                              {Qt::Unchecked, "Неуравновесен", true},
                                              {Qt::Unchecked, "бавен", true}}));
            toggleBox(form, window, 0);
            QCOMPARE(boxes(), (std::vector<B>{{Qt::Checked, "Силен", true},
                                              {Qt::Unchecked, "Неуравновесен", true},
                                              {Qt::Unchecked, "бавен", true}}));
        },
        layer);
    QCOMPARE(layer.clicks,
             (std::vector<std::string>{"Option1_Click(2)", "Check1_Click(2)", "Check1_Click(1)", "Check1_Click(0)",
                                       "Option1_Click(0)", "Option1_Click(2)", "Check1_Click(0)"}));
}

void QtWindowTest::choosingTheSameClassificationTwiceRaisesTwoClicks() {
    ScriptedLayer layer;
    drive(
        [](ui::MainForm& form, qt::Window& window) {
            chooseClassification(form, window, 1);
            chooseClassification(form, window, 1);
            QCOMPARE(shownText(form, window), qt::toQString(test_support::jungText));
            QVERIFY(widget<QRadioButton>(window, form.Option1().Item(1)).isChecked());
        },
        layer);
    QCOMPARE(layer.clicks, (std::vector<std::string>{"Option1_Click(1)", "Option1_Click(1)"}));
}

void QtWindowTest::tabWalksTheShownControlsInDesignOrder() {
    ScriptedLayer layer;
    drive(
        [](ui::MainForm& form, qt::Window& window) {
            const auto walk = [](Qt::Key key, Qt::KeyboardModifiers modifiers, int steps) {
                QStringList visited;
                for (int step = 0; step < steps; ++step) {
                    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
                    visited << memberName(QApplication::focusWidget());
                }
                return visited;
            };
            // The option group is one stop, entered at its chosen button.
            QCOMPARE(walk(Qt::Key_Tab, Qt::NoModifier, 2), (QStringList{"Option1(0)", "Text1(0)"}));
            QCOMPARE(walk(Qt::Key_Backtab, Qt::ShiftModifier, 2), (QStringList{"Option1(0)", "Text1(0)"}));

            chooseClassification(form, window, 2);
            window.widgetOf(form.Text1().Item(0)).setFocus(Qt::OtherFocusReason);
            QCOMPARE(walk(Qt::Key_Tab, Qt::NoModifier, 5),
                     (QStringList{"Option1(2)", "Check1(0)", "Check1(1)", "Check1(2)", "Text1(0)"}));
            QCOMPARE(walk(Qt::Key_Backtab, Qt::ShiftModifier, 5),
                     (QStringList{"Check1(2)", "Check1(1)", "Check1(0)", "Option1(2)", "Text1(0)"}));
        },
        layer);
}

void QtWindowTest::keysToggleBoxesAndMoveTheChoice() {
    ScriptedLayer layer;
    drive(
        [](ui::MainForm& form, qt::Window& window) {
            QWidget& hippocrates = window.widgetOf(form.Option1().Item(0));
            hippocrates.setFocus(Qt::TabFocusReason);
            QTest::keyClick(&hippocrates, Qt::Key_Space);
            QVERIFY(widget<QRadioButton>(window, form.Option1().Item(0)).isChecked());

            chooseClassification(form, window, 2);
            QWidget& box = window.widgetOf(form.Check1().Item(1));
            box.setFocus(Qt::TabFocusReason);
            QTest::keyClick(&box, Qt::Key_Space);
            QCOMPARE(shownBox(form, window, 1), (ShownBox{Qt::Unchecked, "Неуравновесен", true}));

            QWidget& pavlov = window.widgetOf(form.Option1().Item(2));
            pavlov.setFocus(Qt::TabFocusReason);
            QTest::keyClick(&pavlov, Qt::Key_Up);
            QCOMPARE(memberName(QApplication::focusWidget()), QStringLiteral("Option1(1)"));
            QVERIFY(widget<QRadioButton>(window, form.Option1().Item(1)).isChecked());
            QVERIFY(!widget<QRadioButton>(window, form.Option1().Item(2)).isChecked());
            QCOMPARE(shownText(form, window), qt::toQString(test_support::jungText));
        },
        layer);
    QCOMPARE(layer.clicks,
             (std::vector<std::string>{"Option1_Click(0)", "Option1_Click(2)", "Check1_Click(1)", "Option1_Click(1)"}));
}

void QtWindowTest::aValueSetByTheProgramIsShownWithoutASecondClick() {
    ScriptedLayer layer;
    drive(
        [](ui::MainForm& form, qt::Window& window) {
            chooseClassification(form, window, 2);
            form.Check1().Item(2).Value(ui::CheckBox::Unchecked);
            QCOMPARE(shownBox(form, window, 2), (ShownBox{Qt::Unchecked, "бавен", true}));
            form.Check1().Item(2).Value(ui::CheckBox::Grayed);
            QCOMPARE(shownBox(form, window, 2).state, Qt::PartiallyChecked);
        },
        layer);
    QCOMPARE(layer.clicks, (std::vector<std::string>{"Option1_Click(2)", "Check1_Click(2)", "Check1_Click(2)"}));
}

// The program never shows its list boxes, so their list is made only when one
// is shown; shown, it holds the designed items.
void QtWindowTest::aListBoxShownByTheProgramListsItsItems() {
    ScriptedLayer layer;
    drive(
        [](ui::MainForm& form, qt::Window& window) {
            QWidget& box = window.widgetOf(form.List1().Item(1));
            QVERIFY(box.findChild<QListWidget*>() == nullptr);
            form.List1().Item(1).Visible(true);
            QVERIFY(box.isVisible());
            const auto* list = box.findChild<QListWidget*>();
            QVERIFY(list != nullptr && list->isVisible());
            QCOMPARE(list->geometry(), box.rect());
            QStringList items;
            for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
            QCOMPARE(items, (QStringList{QStringLiteral("Екстроверт "), QStringLiteral("Интроверт")}));
        },
        layer);
}

void QtWindowTest::closingTheWindowEndsWithStatusZero() {
    qt::Layer layer;
    QTimer::singleShot(0, [] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (dynamic_cast<qt::Window*>(window) != nullptr) window->close();
        }
    });
    QCOMPARE(runtime::run(app::describeProject(), layer), 0);
}

// A fault injected into this test's copy of the project: choosing Jung
// raises a run-time error.
void QtWindowTest::aRunTimeErrorIsReportedAndEndsTheProgram() {
    runtime::ProjectDescription project = app::describeProject();
    for (runtime::ClickBinding& binding : project.clickHandlers) {
        if (binding.group != "Option1") continue;
        binding.handler = [](ui::MainForm&, runtime::Int16 index) {
            if (index == runtime::Int16{1}) {
                throw runtime::RunTimeError(runtime::ErrorCode::InvalidPropertyIndex, "ListBox", "List1(1)", "List");
            }
        };
    }
    QString reported;
    QTimer::singleShot(0, [] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* form = dynamic_cast<qt::Window*>(window)) {
                click(*form->findChild<QRadioButton*>(QStringLiteral("Option1(1)")));
            }
        }
    });
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            reported = box->text();
            box->accept();
        }
    });
    closer.start(10);

    std::ostringstream errors;
    std::streambuf* const standardError = std::cerr.rdbuf(errors.rdbuf());
    qt::Layer layer;
    const int status = runtime::run(project, layer);
    std::cerr.rdbuf(standardError);

    QCOMPARE(status, runtime::failureStatus);
    QVERIFY2(reported.contains(QStringLiteral("ListBox List1(1), List")), qPrintable(reported));
    QCOMPARE(QString::fromStdString(errors.str()), reported + u'\n');
}

}  // namespace temperament

QTEST_MAIN(temperament::QtWindowTest)
