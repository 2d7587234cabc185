// A long session of real mouse clicks on the real window, in a reproducible
// random order: the window must stay in step with the model after every click,
// and once every screen has been shown the process must not keep growing.

#include "qt_soak_test.hpp"

#include "app/project.hpp"
#include "layers/qt/convert.hpp"
#include "layers/qt/window.hpp"
#include "runtime/start.hpp"
#include "support/expected_texts.hpp"
#include "widget_access.hpp"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QtTest>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace temperament {

namespace {

constexpr int warmUpClicks = 2'000;
constexpr int measuredClicks = 20'000;
constexpr int clicksPerSample = 1'000;
// Room for the allocator's noise: freed blocks that malloc keeps in its
// arenas at slightly different places from one sample to the next. A leak of
// even a few dozen bytes a click would exceed it within the 20,000 clicks.
constexpr long toleranceKiB = 256;

using Script = std::function<void(ui::MainForm&, qt::Window&)>;

// Runs the real start-up, shows the window and hands it to a script in place
// of the event loop.
class SoakLayer final : public runtime::WindowingLayer, private runtime::ErrorReporter {
public:
    explicit SoakLayer(Script script) : script_(std::move(script)) {}
    runtime::ErrorReporter& reporter() override { return *this; }
    int run(ui::MainForm& form, runtime::Dispatcher& dispatcher) override {
        qt::Window window(form, dispatcher);
        window.showCentred();
        QApplication::setActiveWindow(&window);
        if (!QTest::qWaitForWindowActive(&window)) throw std::runtime_error("the window never became active");
        script_(form, window);
        return dispatcher.exitStatus();
    }
    [[nodiscard]] const std::vector<std::string>& reports() const { return reports_; }

private:
    void report(std::string_view message) override { reports_.emplace_back(message); }

    Script script_;
    std::vector<std::string> reports_;
};

long residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long sizePages = 0;
    long residentPages = 0;
    if (!(statm >> sizePages >> residentPages)) throw std::runtime_error("/proc/self/statm cannot be read");
    return residentPages * (sysconf(_SC_PAGESIZE) / 1024);
}

using test_support::click;
using test_support::widget;

Qt::CheckState shownState(runtime::Int16 value) {
    if (value == ui::CheckBox::Checked) return Qt::Checked;
    if (value == ui::CheckBox::Grayed) return Qt::PartiallyChecked;
    return Qt::Unchecked;
}

// What differs between the widgets and the model they show; empty when the
// window is in step.
QString mismatch(ui::MainForm& form, const qt::Window& window) {
    QStringList found;
    const auto expect = [&found](bool same, const ui::Control& control, const char* what) {
        if (!same) found << qt::toQString(control.memberName()) + u' ' + QLatin1String(what);
    };
    for (const ui::Control* control : form.controls()) {
        expect(window.widgetOf(*control).isVisible() == control->Visible(), *control, "visibility");
    }
    for (std::int16_t i = 0; i < 3; ++i) {
        const ui::CheckBox& model = form.Check1().Item(i);
        const auto& box = widget<QCheckBox>(window, model);
        expect(box.checkState() == shownState(model.Value()), model, "state");
        expect(box.text() == qt::toButtonCaption(model.Caption()), model, "caption");
        const ui::OptionButton& option = form.Option1().Item(i);
        expect(widget<QRadioButton>(window, option).isChecked() == option.Value(), option, "choice");
    }
    const ui::TextBox& text = form.Text1().Item(0);
    expect(widget<QPlainTextEdit>(window, text).toPlainText() == qt::toDisplayText(text.Text()), text, "text");
    return found.join(QStringLiteral(", "));
}

// What the user sees: the chosen classification and the shown boxes' states.
std::string screen(const qt::Window& window) {
    std::string seen;
    for (const QObject* child : window.children()) {
        const auto* button = qobject_cast<const QAbstractButton*>(child);
        if (button == nullptr || !button->isVisible()) continue;
        seen += button->objectName().toStdString() + (button->isChecked() ? "+ " : "- ");
    }
    return seen;
}

}  // namespace

void QtSoakTest::manyRandomClicksKeepTheWindowInStepWithoutGrowing() {
    // Every click that reaches a handler is counted, nothing more: a log
    // would grow by itself.
    long handled = 0;
    runtime::ProjectDescription project = app::describeProject();
    for (runtime::ClickBinding& binding : project.clickHandlers) {
        binding.handler = [&handled, handler = binding.handler](ui::MainForm& form, runtime::Int16 index) {
            ++handled;
            handler(form, index);
        };
    }

    std::vector<long> samples;
    long afterLoad = 0;
    std::set<std::string> warmUpScreens;
    SoakLayer layer([&](ui::MainForm& form, qt::Window& window) {
        std::mt19937 random(20240611);  // a fixed seed: every run clicks the same sequence
        afterLoad = residentKiB();
        for (int step = 0; step < warmUpClicks + measuredClicks; ++step) {
            std::vector<QAbstractButton*> targets;
            for (std::int16_t i = 0; i < 3; ++i)
                targets.push_back(&widget<QRadioButton>(window, form.Option1().Item(i)));
            for (std::int16_t i = 0; i < 3; ++i) {
                auto& box = widget<QCheckBox>(window, form.Check1().Item(i));
                if (box.isVisible()) targets.push_back(&box);
            }
            const std::size_t pick = random() % targets.size();
            QAbstractButton& target = *targets.at(pick);
            const long handledBefore = handled;
            const bool wasChecked = target.isChecked();
            click(target);
            // The event loop's turn, as between two clicks of a user: what
            // the click posted (repaints, deferred deletions) is handled.
            QCoreApplication::processEvents();

            const QString where = QStringLiteral("after click %1 on %2").arg(step + 1).arg(target.objectName());
            QVERIFY2(handled == handledBefore + 1, qPrintable(where + QStringLiteral(": no handler ran")));
            if (pick < 3) {  // the option buttons come first
                QVERIFY2(target.isChecked() && widget<QPlainTextEdit>(window, form.Text1().Item(0)).toPlainText() ==
                                                   qt::toDisplayText(test_support::classificationTexts.at(pick)),
                         qPrintable(where + QStringLiteral(": another classification is shown")));
            } else {
                QVERIFY2(target.isChecked() != wasChecked,
                         qPrintable(where + QStringLiteral(": the box kept its state")));
            }
            const QString different = mismatch(form, window);
            QVERIFY2(different.isEmpty(),
                     qPrintable(where + QStringLiteral(": the window differs from the model in ") + different));

            if (step < warmUpClicks) {
                warmUpScreens.insert(screen(window));
            } else {
                QVERIFY2(warmUpScreens.contains(screen(window)),
                         qPrintable(where + QStringLiteral(": a screen the warm-up never showed: ") +
                                    QString::fromStdString(screen(window))));
            }
            if ((step + 1) % clicksPerSample == 0 && step + 1 >= warmUpClicks) samples.push_back(residentKiB());
        }
    });
    QCOMPARE(runtime::run(project, layer), 0);
    QVERIFY(layer.reports().empty());
    QVERIFY(!QTest::currentTestFailed());

    const long afterWarmUp = samples.front();
    const long highest = *std::max_element(samples.begin(), samples.end());
    QStringList all;
    for (const long sample : samples) all << QString::number(sample);
    qInfo("%d screens shown in the warm-up", static_cast<int>(warmUpScreens.size()));
    qInfo("resident KiB: after load %ld, after warm-up %ld, final %ld, max %ld", afterLoad, afterWarmUp, samples.back(),
          highest);
    qInfo("resident KiB every %d clicks after warm-up: %s", clicksPerSample, qPrintable(all.join(u' ')));
    QVERIFY2(
        highest - afterWarmUp <= toleranceKiB,
        qPrintable(QStringLiteral("grew by %1 KiB over %2 clicks").arg(highest - afterWarmUp).arg(measuredClicks)));
}

}  // namespace temperament

QTEST_MAIN(temperament::QtSoakTest)
