#include "support/accessibility.hpp"

#include "support/screens.hpp"

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <tuple>

namespace temperament::test_support {
namespace {

constexpr std::string_view stepMark = "== ";

bool inQuotes(std::string_view text) { return text.size() >= 2 && text.front() == '"' && text.back() == '"'; }

// Throws std::invalid_argument naming what the file's kind does not take.
void check(const std::filesystem::path& file, const AccessibleStep& step, const std::string* line) {
    if (file.extension() == ".tree") {
        if (line == nullptr) (void)parseTreeAction(step.action);
    } else if (file.extension() == ".speech") {
        if (line == nullptr) {
            const Action action = parseAction(step.action);
            if (action.kind == Action::Kind::Click) throw std::invalid_argument("only keys are spoken");
        } else if (!inQuotes(*line)) {
            throw std::invalid_argument(*line + " is not in double quotes");
        }
    } else {
        throw std::invalid_argument("neither a .tree nor a .speech file");
    }
}

}  // namespace

AccessibleScenario readAccessibleScenario(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error(file.string() + ": cannot be read");
    AccessibleScenario scenario;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        try {
            if (line.starts_with('#') && scenario.steps.empty()) {
                scenario.about += line + '\n';
            } else if (line.starts_with(stepMark)) {
                scenario.steps.push_back({line.substr(stepMark.size()), {}});
                check(file, scenario.steps.back(), nullptr);
            } else if (scenario.steps.empty()) {
                throw std::invalid_argument("a line before the first \"== <action>\" that is no comment");
            } else {
                check(file, scenario.steps.back(), &line);
                scenario.steps.back().lines.push_back(line);
            }
        } catch (const std::invalid_argument& error) {
            throw std::runtime_error(file.string() + ", line " + std::to_string(number) + ": " + error.what());
        }
    }
    if (scenario.steps.empty()) throw std::runtime_error(file.string() + ": no step");
    return scenario;
}

void writeAccessibleScenario(const std::filesystem::path& file, const AccessibleScenario& scenario) {
    std::ofstream out(file, std::ios::binary);
    out << scenario.about;
    for (const AccessibleStep& step : scenario.steps) {
        out << stepMark << step.action << '\n';
        for (const std::string& line : step.lines) out << line << '\n';
    }
    if (!out) throw std::runtime_error(file.string() + ": cannot be written");
}

std::vector<std::filesystem::path> accessibleScenarioFiles(const std::filesystem::path& folder,
                                                           std::string_view extension) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == extension) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

TreeAction parseTreeAction(std::string_view text) {
    if (text == "start") return {};
    const std::size_t space = text.find(' ');
    const std::string_view verb = text.substr(0, space);
    const std::string_view argument = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
    if (verb == "key") {
        if (const auto key = headless::keyNamed(argument)) return {TreeAction::Kind::Key, *key, {}};
        throw std::invalid_argument("no key \"" + std::string(argument) + '"');
    }
    for (const auto& [kind, name] :
         {std::tuple{TreeAction::Kind::Click, "click"}, std::tuple{TreeAction::Kind::Toggle, "toggle"},
          std::tuple{TreeAction::Kind::Press, "press"}}) {
        if (verb != name) continue;
        if (!inQuotes(argument))
            throw std::invalid_argument("\"" + std::string(text) + "\" names no control in quotes");
        return {kind, {}, std::string(argument.substr(1, argument.size() - 2))};
    }
    throw std::invalid_argument("not an action: \"" + std::string(text) + '"');
}

std::string unquoted(const std::string& utterance) {
    if (!inQuotes(utterance)) throw std::invalid_argument(utterance + " is not in double quotes");
    return utterance.substr(1, utterance.size() - 2);
}

std::string accessibleNameOf(const ui::Control& control) {
    if (!control.accessibleName().empty()) return control.accessibleName();
    return ui::visit(control, ui::Overloaded{
                                  [](const ui::Label& label) { return label.Caption(); },
                                  [](const ui::CheckBox& box) { return box.Caption(); },
                                  [](const ui::OptionButton& option) { return option.Caption(); },
                                  [](const auto&) { return std::string(); },
                              });
}

std::vector<std::string> treeOf(const ui::MainForm& form, const std::string& focus) {
    std::vector<const ui::Control*> shown;
    for (const ui::Control* control : form.controls()) {
        if (control->Visible()) shown.push_back(control);
    }
    // Reading order, as a screen reader walks the window.
    std::stable_sort(shown.begin(), shown.end(), [](const ui::Control* a, const ui::Control* b) {
        return std::tie(a->bounds().top, a->bounds().left) < std::tie(b->bounds().top, b->bounds().left);
    });
    std::vector<std::string> tree{"window \"" + form.Caption() + '"'};
    for (const ui::Control* control : shown) {
        struct Described {
            std::string role;
            bool checked = false;
            bool readOnly = false;  // a label and a picture only show
        };
        const Described described =
            ui::visit(*control, ui::Overloaded{
                                    [](const ui::PictureBox&) {
                                        return Described{"image", false, true};
                                    },
                                    [](const ui::Label&) {
                                        return Described{"label", false, true};
                                    },
                                    [](const ui::TextBox& box) {
                                        return Described{"text", false, box.locked()};
                                    },
                                    [](const ui::CheckBox& box) {
                                        return Described{"check", box.Value() == ui::CheckBox::Checked, false};
                                    },
                                    [](const ui::OptionButton& option) {
                                        return Described{"radio", option.Value(), false};
                                    },
                                    [](const ui::ListBox&) {
                                        return Described{"list", false, false};
                                    },
                                });
        std::string line = described.role + " \"" + accessibleNameOf(*control) + '"';
        if (described.checked) line += " checked";
        if (control->memberName() == focus) line += " focused";
        if (described.readOnly) line += " read-only";
        tree.push_back(line);
        const auto* box = ui::as<ui::TextBox>(*control);
        if (box == nullptr) continue;
        const std::string& text = box->Text();
        // A line each, as a screen reader reads the text: no line after the last line break.
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = std::min(text.find("\r\n", start), text.size());
            tree.push_back("  | \"" + text.substr(start, end - start) + '"');
            start = end + 2;
        }
    }
    return tree;
}

}  // namespace temperament::test_support
