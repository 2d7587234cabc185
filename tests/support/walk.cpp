#include "support/walk.hpp"

#include <algorithm>
#include <array>
#include <deque>
#include <fstream>
#include <map>
#include <set>
#include <stdexcept>

namespace temperament::test_support {
namespace {

constexpr std::array<headless::Key, 8> keys = {headless::Key::Tab,   headless::Key::ShiftTab, headless::Key::Space,
                                               headless::Key::Up,    headless::Key::Down,     headless::Key::Left,
                                               headless::Key::Right, headless::Key::Escape};

// The screen after `path`, and the Clicks its last action ran.
std::pair<headless::Screen, std::string> after(const FreshWindow& fresh, const std::vector<Action>& path) {
    std::pair<headless::Screen, std::string> result;
    fresh([&](ScreenDriver& driver) {
        for (const Action& action : path) {
            (void)driver.takeClicks();
            driver.perform(action);
        }
        result.first = driver.read();
        result.second = clicksText(driver.takeClicks().value_or(std::vector<std::string>{}));
    });
    return result;
}

}  // namespace

StateGraph explore(const FreshWindow& fresh) {
    StateGraph graph;
    std::map<std::string, std::size_t> known;
    std::vector<std::vector<Action>> paths;
    const headless::Screen first = after(fresh, {}).first;
    graph.states.push_back(headless::summary(first));
    known.emplace(graph.states.back(), 0);
    paths.emplace_back();
    std::vector<headless::Screen> screens{first};
    for (std::size_t state = 0; state < graph.states.size(); ++state) {
        std::vector<Action> actions;
        for (const headless::ShownControl& control : screens[state].controls) {
            if (control.visible) actions.push_back({Action::Kind::Click, control.member, {}});
        }
        for (const headless::Key key : keys) actions.push_back({Action::Kind::Key, {}, key});
        for (const Action& action : actions) {
            std::vector<Action> path = paths[state];
            path.push_back(action);
            const auto [screen, clicks] = after(fresh, path);
            const auto [at, added] = known.emplace(headless::summary(screen), graph.states.size());
            if (added) {
                graph.states.push_back(at->first);
                paths.push_back(std::move(path));
                screens.push_back(screen);
            }
            graph.transitions.push_back({state, actionText(action), at->second, clicks});
        }
    }
    return graph;
}

StateGraph readWalk(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error(file.string() + ": cannot be read");
    StateGraph graph;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        const auto fail = [&](const std::string& problem) {
            throw std::runtime_error(file.string() + ", line " + std::to_string(number) + ": " + problem);
        };
        if (line.empty() || line.starts_with('#')) continue;
        if (line.starts_with("state ")) {
            const std::size_t space = line.find(' ', 6);
            if (space == std::string::npos || line.substr(6, space - 6) != std::to_string(graph.states.size()))
                fail("states are numbered from 0 in order");
            graph.states.push_back(line.substr(space + 1));
            continue;
        }
        const std::size_t space = line.find(' ');
        const std::size_t arrow = line.rfind(" -> ");
        if (space == std::string::npos || arrow == std::string::npos || arrow < space) fail("not a transition");
        Transition transition;
        try {
            const std::string target = line.substr(arrow + 4);
            const std::size_t gap = target.find(' ');
            if (gap == std::string::npos) fail("the Clicks are missing");
            transition = {std::stoul(line.substr(0, space)), line.substr(space + 1, arrow - space - 1),
                          std::stoul(target.substr(0, gap)), target.substr(gap + 1)};
            (void)parseAction(transition.action);
        } catch (const std::exception& error) {
            fail(error.what());
        }
        if (transition.from >= graph.states.size() || transition.to >= graph.states.size()) fail("no such state");
        graph.transitions.push_back(transition);
    }
    if (graph.states.empty()) throw std::runtime_error(file.string() + ": no state");
    return graph;
}

void writeWalk(const std::filesystem::path& file, const StateGraph& graph) {
    std::ofstream out(file, std::ios::binary);
    out << "# Every state the window can reach from its first screen (state 0), and where\n"
           "# each user action leads; made by the screenless layer (target update_screens).\n";
    for (std::size_t i = 0; i < graph.states.size(); ++i) out << "state " << i << ' ' << graph.states[i] << '\n';
    for (const Transition& t : graph.transitions)
        out << t.from << ' ' << t.action << " -> " << t.to << ' ' << t.clicks << '\n';
    if (!out) throw std::runtime_error(file.string() + ": cannot be written");
}

std::vector<std::vector<const Transition*>> coveringRuns(const StateGraph& graph) {
    std::vector<std::vector<const Transition*>> leaving(graph.states.size());
    for (const Transition& t : graph.transitions) leaving[t.from].push_back(&t);
    std::set<const Transition*> untaken;
    for (const Transition& t : graph.transitions) untaken.insert(&t);

    std::vector<std::vector<const Transition*>> runs;
    while (!untaken.empty()) {
        std::vector<const Transition*> run;
        std::size_t state = 0;
        for (;;) {
            // The nearest state with a transition not yet taken, and the way there.
            std::vector<const Transition*> via(graph.states.size(), nullptr);
            std::vector<bool> seen(graph.states.size(), false);
            std::deque<std::size_t> queue{state};
            seen[state] = true;
            const Transition* next = nullptr;
            while (!queue.empty() && next == nullptr) {
                const std::size_t here = queue.front();
                queue.pop_front();
                for (const Transition* t : leaving[here]) {
                    if (untaken.contains(t)) {
                        next = t;
                        break;
                    }
                    if (!seen[t->to]) {
                        seen[t->to] = true;
                        via[t->to] = t;
                        queue.push_back(t->to);
                    }
                }
            }
            if (next == nullptr) break;
            const std::size_t start = run.size();
            for (std::size_t at = next->from; at != state; at = via[at]->from) run.push_back(via[at]);
            std::reverse(run.begin() + static_cast<std::ptrdiff_t>(start), run.end());
            run.push_back(next);
            untaken.erase(next);
            state = next->to;
        }
        if (run.empty()) throw std::logic_error("a transition cannot be reached from the first screen");
        runs.push_back(std::move(run));
    }
    return runs;
}

std::string walkMismatch(const StateGraph& graph, const FreshWindow& fresh) {
    std::string problem;
    for (const auto& run : coveringRuns(graph)) {
        fresh([&](ScreenDriver& driver) {
            std::string trail = "start";
            if (headless::summary(driver.read()) != graph.states[0]) {
                problem = "the first screen is not state 0:\n  shown:    " + headless::summary(driver.read());
                return;
            }
            (void)driver.takeClicks();
            for (const Transition* t : run) {
                driver.perform(parseAction(t->action));
                trail += ", " + t->action;
                if (const auto clicks = driver.takeClicks(); clicks && clicksText(*clicks) != t->clicks) {
                    problem = "after " + trail + ": the Clicks " + clicksText(*clicks) + ", not " + t->clicks;
                    return;
                }
                const std::string shown = headless::summary(driver.read());
                if (shown != graph.states[t->to]) {
                    problem = "after " + trail + ":\n  expected: state " + std::to_string(t->to) + ' ';
                    problem += graph.states[t->to] + "\n  shown:    " + shown;
                    return;
                }
            }
        });
        if (!problem.empty()) return problem;
    }
    return {};
}

std::string scenariosMismatch(const std::filesystem::path& folder, const FreshWindow& fresh) {
    const std::vector<std::filesystem::path> files = scenarioFiles(folder);
    if (files.empty()) return "no scenario in " + folder.string();
    std::string problems;
    for (const std::filesystem::path& file : files) {
        const Scenario scenario = readScenario(file);
        std::string problem;
        fresh([&](ScreenDriver& driver) { problem = mismatch(scenario, driver); });
        if (!problem.empty()) problems += file.filename().string() + ", " + problem;
    }
    return problems;
}

}  // namespace temperament::test_support
