#pragma once
// Every state of the window that the user can reach from the first screen,
// and where each user action leads from each one (tests/screens/every_state.walk):
//   state <n> <summary of the screen>
//   <n> <action> -> <m> [the Click handlers the action runs]
// State 0 is the first screen. Every layer walks the whole graph on its real
// window: a few runs from a fresh start that together take every transition.

#include "support/screens.hpp"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace temperament::test_support {

struct Transition {
    std::size_t from = 0;
    std::string action;
    std::size_t to = 0;
    std::string clicks;  // as clicksText(): "none", or the handlers in order
};

struct StateGraph {
    std::vector<std::string> states;
    std::vector<Transition> transitions;
};

// Starts the real program afresh and lets `body` drive its window.
using FreshWindow = std::function<void(const std::function<void(ScreenDriver&)>& body)>;

// Breadth first from the first screen: in each state, every key and a click
// on every shown control.
[[nodiscard]] StateGraph explore(const FreshWindow& fresh);

// Throws std::runtime_error naming the file and line of what is wrong.
[[nodiscard]] StateGraph readWalk(const std::filesystem::path& file);
void writeWalk(const std::filesystem::path& file, const StateGraph& graph);

// Runs from the first screen that together take every transition.
[[nodiscard]] std::vector<std::vector<const Transition*>> coveringRuns(const StateGraph& graph);

// Walks every run on fresh windows. Empty when every state is as expected;
// otherwise where the first difference is.
[[nodiscard]] std::string walkMismatch(const StateGraph& graph, const FreshWindow& fresh);

// Plays every scenario in `folder`, each on a fresh window. Empty when every
// screen is as expected; otherwise each scenario's first difference.
[[nodiscard]] std::string scenariosMismatch(const std::filesystem::path& folder, const FreshWindow& fresh);

}  // namespace temperament::test_support
