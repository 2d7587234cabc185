#pragma once
// The expected screens every layer is tested against. A scenario file
// (tests/screens/*.screens) is a list of steps; a step is a line "== <action>"
// followed by the screen the window must show after it. The first step is
// "== start", the screen after start-up; an action is "click <member>" (the
// mouse, on the control) or "key <name>" (Tab, Shift+Tab, Space, Up, Down,
// Left, Right, Escape). A step's first line names the Click handlers the action ran,
// in order ("Clicks Option1_Click(2)", or "Clicks none"): one a user action at
// most. Lines before the first step say what the scenario is about.

#include "layers/headless/screen.hpp"
#include "layers/headless/window.hpp"
#include "ui/main_form.hpp"

#include "runtime/project_description.hpp"

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace temperament::test_support {

struct Action {
    enum class Kind { Start, Click, Key };
    Kind kind = Kind::Start;
    std::string member;                      // Click
    headless::Key key = headless::Key::Tab;  // Key
};

// Throws std::invalid_argument naming the text it cannot read.
[[nodiscard]] Action parseAction(std::string_view text);
[[nodiscard]] std::string actionText(const Action& action);

struct Step {
    std::string action;
    std::string screen;
};

struct Scenario {
    std::string about;  // the lines before the first step
    std::vector<Step> steps;
};

// Throws std::runtime_error naming the file and line of what is wrong.
[[nodiscard]] Scenario readScenario(const std::filesystem::path& file);
void writeScenario(const std::filesystem::path& file, const Scenario& scenario);
// Every *.screens file in `folder`, sorted.
[[nodiscard]] std::vector<std::filesystem::path> scenarioFiles(const std::filesystem::path& folder);

// The screen a step expects, read back from its text (after the step's
// "Clicks" line, what headless::format writes); throws std::invalid_argument
// naming the line it cannot read.
[[nodiscard]] headless::Screen expectedScreen(const Step& step);
// The control of that member on the screen; throws std::invalid_argument
// when the screen has none.
[[nodiscard]] const headless::ShownControl& shown(const headless::Screen& screen, std::string_view member);

// The control a scenario names ("Option1(2)"); throws std::invalid_argument
// when the form has none.
[[nodiscard]] ui::Control& controlNamed(const ui::MainForm& form, const std::string& member);

// A layer's real window, driven as the user drives it and read back.
class ScreenDriver {
public:
    virtual ~ScreenDriver() = default;
    virtual void click(const std::string& member) = 0;
    virtual void press(headless::Key key) = 0;
    [[nodiscard]] virtual headless::Screen read() = 0;
    // The Click handlers run since the last call, as "Check1_Click(0)"; none
    // where the driver cannot see the program's handlers (another process).
    [[nodiscard]] virtual std::optional<std::vector<std::string>> takeClicks() { return std::nullopt; }

    void perform(const Action& action);

protected:
    ScreenDriver() = default;
    ScreenDriver(const ScreenDriver&) = default;
    ScreenDriver& operator=(const ScreenDriver&) = default;
};

// The project with `around` called in place of each Click handler, with the
// handler's name as the scenarios write it ("Option1_Click(2)") and the
// handler itself to run, if it will.
using AroundClick =
    std::function<void(const std::string& click, ui::MainForm& form, const std::function<void()>& handler)>;
[[nodiscard]] runtime::ProjectDescription aroundClicks(runtime::ProjectDescription project, const AroundClick& around);
// The project with each Click handler's name appended to `log` as it runs.
[[nodiscard]] runtime::ProjectDescription logClicks(runtime::ProjectDescription project, std::vector<std::string>& log);

// The display box's text after each classification is chosen (Hippocrates,
// Jung, Pavlov), as classifications.screens in `folder` shows it.
[[nodiscard]] std::array<std::string, 3> classificationTexts(const std::filesystem::path& folder);

// "Clicks ..." and the screen: what a step expects.
[[nodiscard]] std::string stepText(const std::vector<std::string>& clicks, const headless::Screen& screen);
// Joins the handlers with spaces; "none" for none.
[[nodiscard]] std::string clicksText(const std::vector<std::string>& clicks);

// Empty when the window shows what a step expects (`expected`, its text);
// otherwise a unified diff. Without `clicks` (a driver that cannot see which
// handlers ran) the step's Clicks line is left out of the comparison.
[[nodiscard]] std::string stepMismatch(const std::string& expected,
                                       const std::optional<std::vector<std::string>>& clicks,
                                       const headless::Screen& shown);

// Plays the scenario on a freshly started window. Empty when every screen is
// as expected; otherwise the step that differs and a unified diff of the
// expected and the shown screen.
[[nodiscard]] std::string mismatch(const Scenario& scenario, ScreenDriver& driver);

// The lines of `expected` and `actual` as a unified diff ("-" expected, "+" shown).
[[nodiscard]] std::string unifiedDiff(const std::string& expected, const std::string& actual);

}  // namespace temperament::test_support
