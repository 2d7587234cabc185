// How long the toolkit-free core takes for what the user waits on: building
// MainForm from the embedded design data with its Load, and each user action
// with its handler. No screen: the tests' driven layer, with nothing to show.

#include "app/project.hpp"
#include "runtime/start.hpp"
#include "support/driven_layer.hpp"
#include "ui/main_form.hpp"
#include "ui/user_actions.hpp"

#include <benchmark/benchmark.h>

namespace {

using namespace temperament;
using test_support::DrivenLayer;

void requireRunning(runtime::Continuation continuation, benchmark::State& state) {
    if (continuation != runtime::Continuation::Running) state.SkipWithError("the program ended");
}

// Reads the design data, builds every control, raises Load (which checks the
// three boxes, each with its nested Check1_Click), then destroys the form.
void BuildFormAndLoad(benchmark::State& state) {
    const runtime::ProjectDescription project = app::describeProject();
    DrivenLayer layer;
    for (auto _ : state) {
        if (runtime::run(project, layer) != 0) state.SkipWithError("the program failed");
    }
}
BENCHMARK(BuildFormAndLoad);

// The user chooses a classification: Option1_Click rebuilds the text.
void ChooseClassification(benchmark::State& state) {
    const auto index = static_cast<std::int16_t>(state.range(0));
    DrivenLayer layer([&](ui::MainForm& form, ui::UserActions& user) {
        ui::Control& option = form.Option1().Item(index);
        for (auto _ : state) requireRunning(user.clicked(option), state);
    });
    if (runtime::run(app::describeProject(), layer) != 0) state.SkipWithError("the program failed");
}
BENCHMARK(ChooseClassification)->DenseRange(0, 2)->ArgName("Option1");

// The user toggles a property box; Check1_Click renames it and shows or hides
// the others. Each iteration toggles once, so the two directions alternate and
// the box stays visible (box 0 hides boxes 1 and 2 only while it is unchecked).
void ToggleBox(benchmark::State& state) {
    const auto index = static_cast<std::int16_t>(state.range(0));
    DrivenLayer layer([&](ui::MainForm& form, ui::UserActions& user) {
        requireRunning(user.clicked(form.Option1().Item(2)), state);
        ui::Control& box = form.Check1().Item(index);
        for (auto _ : state) requireRunning(user.clicked(box), state);
    });
    if (runtime::run(app::describeProject(), layer) != 0) state.SkipWithError("the program failed");
}
BENCHMARK(ToggleBox)->DenseRange(0, 2)->ArgName("Check1");

}  // namespace

BENCHMARK_MAIN();
