// The shipped program seen from another process: started on its own, found by
// its caption, clicked, keyed and read with messages against the expected
// screens, and closed. Under Wine this also drives the 32-bit program from
// the 64-bit test program.

#include "probe.hpp"
#include "test_options.hpp"
#include "window_driver.hpp"

#include "app/project.hpp"
#include "support/screens.hpp"
#include "support/walk.hpp"
#include "ui/main_form.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <stdexcept>
#include <vector>

namespace temperament::wintest {
namespace {

const std::filesystem::path folder = TEMPERAMENT_SCREENS;

// Shares the program's input state (focus, keyboard) with this thread while
// it lives, as a second input device would.
class AttachedInput {
public:
    explicit AttachedInput(DWORD program) : program_(program) {
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // this thread's queue
        if (!AttachThreadInput(GetCurrentThreadId(), program_, TRUE))
            throw std::runtime_error("cannot share the program's input state");
    }
    ~AttachedInput() { AttachThreadInput(GetCurrentThreadId(), program_, FALSE); }
    AttachedInput(const AttachedInput&) = delete;
    AttachedInput& operator=(const AttachedInput&) = delete;

private:
    DWORD program_;
};

// Returns once the program has handled what was posted to it: a mark posted
// after it (a new text limit on the display box, which the user cannot type
// into, and which the program's own texts pass by) is read back once it has
// been taken. Twice, for what handling the first posted.
class Settler {
public:
    explicit Settler(HWND marker) : marker_(marker) {}
    void operator()() {
        for (int round = 0; round < 2; ++round) {
            const WPARAM mark = WPARAM{0x7000'0000} + ++marks_;
            PostMessageW(marker_, EM_SETLIMITTEXT, mark, 0);
            for (int wait = 0; static_cast<WPARAM>(SendMessageW(marker_, EM_GETLIMITTEXT, 0, 0)) != mark; ++wait) {
                if (wait == 5000) throw std::runtime_error("the program stopped taking messages");
                Sleep(1);
            }
        }
    }

private:
    HWND marker_;
    WPARAM marks_ = 0;
};

// Starts the shipped program afresh, lets `body` drive it from here, closes
// it and requires it to end with status 0.
void withShippedProgram(const std::function<void(test_support::ScreenDriver&)>& body) {
    const std::wstring& program = testOptions().program;
    if (program.empty()) throw std::runtime_error("the test program needs --program=<temperament.exe>");
    const runtime::ProjectDescription project = app::describeProject();
    const std::shared_ptr<ui::MainForm> form = project.createForm(project);
    project.formLoad(*form);
    ProgramProcess process(program);
    {
        const AttachedInput input(GetWindowThreadProcessId(process.window(), nullptr));
        HWND display = nativeOf(process.window(), *form, form->Text1().Item(0));
        WindowDriver driver(process.window(), *form, Settler(display));
        body(driver);
    }
    const std::optional<DWORD> status = process.close();
    if (!status) throw std::runtime_error("closing the window did not end the program");
    if (*status != 0) throw std::runtime_error("the program ended with status " + std::to_string(*status));
}

// Pavlov's part of the walk: every click on his option and on the property
// boxes in every state with his classification chosen that clicks reach from
// the first screen.
test_support::StateGraph pavlovsPart(test_support::StateGraph graph) {
    const auto pavlov = [&](std::size_t state) {
        return state == 0 || graph.states.at(state).find("Option1(2) OptionButton (*)") != std::string::npos;
    };
    std::erase_if(graph.transitions, [&](const test_support::Transition& t) {
        return !pavlov(t.from) || !pavlov(t.to) ||
               (t.action != "click Option1(2)" && !t.action.starts_with("click Check1("));
    });
    std::set<std::size_t> reached{0};
    for (bool more = true; more;) {
        more = false;
        for (const test_support::Transition& t : graph.transitions) {
            if (reached.contains(t.from)) more |= reached.insert(t.to).second;
        }
    }
    std::erase_if(graph.transitions, [&](const test_support::Transition& t) { return !reached.contains(t.from); });
    return graph;
}

}  // namespace

// The first screen and each classification, then closing: status 0.
TEST(ShippedProgram, WorksWhenDrivenFromAnotherProcess) {
    const test_support::Scenario scenario = test_support::readScenario(folder / "classifications.screens");
    std::string problem;
    withShippedProgram([&](test_support::ScreenDriver& driver) { problem = mismatch(scenario, driver); });
    EXPECT_EQ(problem, "");
}

// Every scenario: the first screen, the classifications, Pavlov's property
// boxes and what they keep, the keyboard.
TEST(ShippedProgram, ShowsEveryScenarioWhenDrivenFromAnotherProcess) {
    EXPECT_EQ(test_support::scenariosMismatch(folder, withShippedProgram), "");
}

// Pavlov's part of the walk over every state. (The whole walk stays in the
// test program's own process, screens_test.cpp: from another process it
// takes minutes under emulation.)
TEST(ShippedProgram, WalksPavlovsStatesWhenDrivenFromAnotherProcess) {
    const test_support::StateGraph graph = pavlovsPart(test_support::readWalk(folder / "every_state.walk"));
    ASSERT_GT(graph.transitions.size(), 100u) << "Pavlov's part of the walk";
    EXPECT_EQ(test_support::walkMismatch(graph, withShippedProgram), "");
}

}  // namespace temperament::wintest
