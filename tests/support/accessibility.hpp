#pragma once
// What assistive technologies must find, in tests/accessibility: the window
// as a screen reader finds it (*.tree) and what Orca says (*.speech), after
// each step of a scenario. A file is comment lines ("# ...", what it is
// about), then steps: a line "== <action>" followed by its lines.
//   .tree    the window, then every control a user can see, in reading order
//            (top to bottom, then left to right): <role> "<name>" and its
//            states (checked, focused, read-only), a text box followed by
//            its text, a line each ("  | \"<line>\""). Actions: start,
//            key <name>, and click, toggle or press "<accessible name>" (the
//            mouse, or the control's accessible action).
//   .speech  the steps of the scenario of tests/screens with the same name,
//            keys only; after each, every utterance, in double quotes.

#include "layers/headless/window.hpp"
#include "ui/main_form.hpp"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace temperament::test_support {

struct AccessibleStep {
    std::string action;
    std::vector<std::string> lines;
};

struct AccessibleScenario {
    std::string about;  // the comment lines before the first step
    std::vector<AccessibleStep> steps;
};

// Throws std::runtime_error naming the file and line of what is wrong: an
// action its kind of file does not take, an utterance not in quotes.
[[nodiscard]] AccessibleScenario readAccessibleScenario(const std::filesystem::path& file);
void writeAccessibleScenario(const std::filesystem::path& file, const AccessibleScenario& scenario);
// Every file in `folder` with that extension (".tree", ".speech"), sorted.
[[nodiscard]] std::vector<std::filesystem::path> accessibleScenarioFiles(const std::filesystem::path& folder,
                                                                         std::string_view extension);

// An action of a .tree file.
struct TreeAction {
    enum class Kind { Start, Key, Click, Toggle, Press };
    Kind kind = Kind::Start;
    headless::Key key = headless::Key::Tab;  // Key
    std::string name;                        // Click, Toggle, Press: the control's accessible name
};
// Throws std::invalid_argument naming the text it cannot read.
[[nodiscard]] TreeAction parseTreeAction(std::string_view text);

// An utterance of a .speech file without its quotes.
[[nodiscard]] std::string unquoted(const std::string& utterance);

// The name a screen reader gives the control: its accessible name, or else
// its caption.
[[nodiscard]] std::string accessibleNameOf(const ui::Control& control);

// The tree a screen reader finds in a window that shows the model exactly,
// with the focus on `focus` (a member, or none).
[[nodiscard]] std::vector<std::string> treeOf(const ui::MainForm& form, const std::string& focus);

}  // namespace temperament::test_support
