// The expected screens for the browser tests, which run in Node: the same
// reader of tests/screens and the same screen text as every other layer's
// tests, compiled to WebAssembly. The tests read the page's elements into
// plain facts; this module writes them as the screen text, so the format's
// rules stay in one place (layers/headless/screen.cpp, tests/support/).

#include "support/screens.hpp"
#include "support/walk.hpp"
#include "ui/contrast.hpp"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace temperament::test_support {
namespace {

using emscripten::val;

// {caption, focus, controls: [{member, kind, visible, text, mark, items}]}, as
// the tests read them from the page; focus "" for none.
headless::Screen screenOf(const val& facts) {
    headless::Screen screen{facts["caption"].as<std::string>(), facts["focus"].as<std::string>(), {}};
    for (const val& each : emscripten::vecFromJSArray<val>(facts["controls"])) {
        const auto kindName = each["kind"].as<std::string>();
        const auto kind = ui::kindNamed(kindName);
        if (!kind) throw std::invalid_argument("no control kind " + kindName);
        const auto mark = each["mark"].as<std::string>();
        screen.controls.push_back({each["member"].as<std::string>(), *kind, each["visible"].as<bool>(),
                                   each["text"].as<std::string>(), mark.empty() ? ' ' : mark.front(),
                                   emscripten::vecFromJSArray<std::string>(each["items"])});
    }
    return screen;
}

// The handlers of a Clicks line's text ("none" for none).
std::vector<std::string> handlersIn(const std::string& clicks) {
    std::vector<std::string> handlers;
    std::istringstream words(clicks);
    for (std::string word; words >> word;) {
        if (word != "none") handlers.push_back(word);
    }
    return handlers;
}

// "Clicks ..." and the screen, as a step of a scenario expects them.
std::string stepTextOf(const std::string& clicks, const val& facts) {
    return stepText(handlersIn(clicks), screenOf(facts));
}

// clicks null: a page that cannot tell which handlers ran (the shipped program).
std::string stepMismatchOf(const std::string& expected, const val& clicks, const val& facts) {
    std::optional<std::vector<std::string>> handlers;
    if (!clicks.isNull()) handlers = handlersIn(clicks.as<std::string>());
    return stepMismatch(expected, handlers, screenOf(facts));
}

std::string summaryOf(const val& facts) { return headless::summary(screenOf(facts)); }

val scenarioFilesIn(const std::string& folder) {
    val files = val::array();
    for (const auto& file : scenarioFiles(folder)) files.call<void>("push", val(file.string()));
    return files;
}

// {about, steps: [{action, screen}]}
val readScenarioFile(const std::string& file) {
    const Scenario scenario = readScenario(file);
    val steps = val::array();
    for (const Step& step : scenario.steps) {
        val each = val::object();
        each.set("action", val(step.action));
        each.set("screen", val(step.screen));
        steps.call<void>("push", each);
    }
    val result = val::object();
    result.set("about", val(scenario.about));
    result.set("steps", steps);
    return result;
}

// {states: [summary], runs: [[{action, to, clicks}]]}: the runs from a fresh
// start that together take every transition of the walk.
val readWalkFile(const std::string& file) {
    const StateGraph graph = readWalk(file);
    val states = val::array();
    for (const std::string& state : graph.states) states.call<void>("push", val(state));
    val runs = val::array();
    for (const auto& run : coveringRuns(graph)) {
        val steps = val::array();
        for (const Transition* t : run) {
            val step = val::object();
            step.set("action", val(t->action));
            step.set("to", val(static_cast<double>(t->to)));
            step.set("clicks", val(t->clicks));
            steps.call<void>("push", step);
        }
        runs.call<void>("push", steps);
    }
    val result = val::object();
    result.set("states", states);
    result.set("runs", runs);
    result.set("transitions", val(static_cast<double>(graph.transitions.size())));
    return result;
}

}  // namespace

EMSCRIPTEN_BINDINGS(screen_text) {
    emscripten::function("scenarioFiles", &scenarioFilesIn);
    emscripten::function("readScenario", &readScenarioFile);
    emscripten::function("readWalk", &readWalkFile);
    emscripten::function("stepText", &stepTextOf);
    emscripten::function("stepMismatch", &stepMismatchOf);
    emscripten::function("summary", &summaryOf);
    emscripten::function("unifiedDiff", &unifiedDiff);
    // The one contrast rule's measure, for the tests that read colours off screenshots.
    emscripten::function("contrastRatio", &ui::contrastRatio);
}

}  // namespace temperament::test_support
