#include "support/screens.hpp"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace temperament::test_support {
namespace {

constexpr std::string_view stepMark = "== ";

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> all;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) all.push_back(line);
    return all;
}

// A text as headless::format escapes it, back as it was: \\, \", \r, \n, \xHH.
std::string unescaped(std::string_view escaped) {
    std::string text;
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] != '\\') {
            text += escaped[i];
            continue;
        }
        if (++i == escaped.size()) throw std::invalid_argument("a backslash ends the text");
        switch (const char c = escaped[i]) {
        case 'r': text += '\r'; break;
        case 'n': text += '\n'; break;
        case 'x': {
            const std::string hex(escaped.substr(i + 1, 2));
            if (hex.size() != 2 || hex.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos)
                throw std::invalid_argument("\\x is not followed by two hex digits");
            text += static_cast<char>(std::stoi(hex, nullptr, 16));
            i += 2;
            break;
        }
        case '\\':
        case '"': text += c; break;
        default: throw std::invalid_argument(std::string("unknown escape \\") + c);
        }
    }
    return text;
}

// A quoted text at the start of `rest`, unescaped; `rest` is left after it.
std::string quotedText(std::string_view& rest) {
    if (!rest.starts_with('"')) throw std::invalid_argument("no text in quotes");
    for (std::size_t end = 1; end < rest.size(); ++end) {
        if (rest[end] == '\\') {
            ++end;
        } else if (rest[end] == '"') {
            std::string text = unescaped(rest.substr(1, end - 1));
            rest.remove_prefix(end + 1);
            return text;
        }
    }
    throw std::invalid_argument("a text in quotes is not closed");
}

// "<member> <Kind>", the kind's state and caption, and " (hidden)".
headless::ShownControl controlHead(std::string_view line) {
    headless::ShownControl control;
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos) throw std::invalid_argument("no kind after the member");
    control.member = line.substr(0, space);
    std::string_view rest = line.substr(space + 1);
    const std::size_t kindEnd = std::min(rest.find(' '), rest.size());
    const auto kind = ui::kindNamed(rest.substr(0, kindEnd));
    if (!kind) throw std::invalid_argument("no control kind " + std::string(rest.substr(0, kindEnd)));
    control.kind = *kind;
    rest.remove_prefix(kindEnd);
    const auto mark = [&](char open, char close) {
        if (rest.size() < 5 || rest[0] != ' ' || rest[1] != open || rest[3] != close || rest[4] != ' ')
            throw std::invalid_argument(std::string("no state in ") + open + close);
        control.mark = rest[2];
        rest.remove_prefix(4);
    };
    bool captioned = true;
    switch (control.kind) {
    case ui::ControlKind::CheckBox: mark('[', ']'); break;
    case ui::ControlKind::OptionButton: mark('(', ')'); break;
    case ui::ControlKind::Label: break;
    case ui::ControlKind::PictureBox:
    case ui::ControlKind::TextBox:
    case ui::ControlKind::ListBox: captioned = false; break;
    }
    if (captioned) {
        if (!rest.starts_with(' ')) throw std::invalid_argument("no caption");
        rest.remove_prefix(1);
        control.text = quotedText(rest);
    }
    if (rest == " (hidden)") {
        control.visible = false;
    } else if (!rest.empty()) {
        throw std::invalid_argument("\"" + std::string(rest) + "\" after the control");
    }
    return control;
}

}  // namespace

Action parseAction(std::string_view text) {
    if (text == "start") return {};
    if (text.starts_with("click ") && text.size() > 6) return {Action::Kind::Click, std::string(text.substr(6)), {}};
    if (text.starts_with("key ")) {
        if (const auto key = headless::keyNamed(text.substr(4))) return {Action::Kind::Key, {}, *key};
    }
    throw std::invalid_argument("not an action: \"" + std::string(text) + "\"");
}

std::string actionText(const Action& action) {
    switch (action.kind) {
    case Action::Kind::Start: return "start";
    case Action::Kind::Click: return "click " + action.member;
    case Action::Kind::Key: return "key " + std::string(headless::keyName(action.key));
    }
    return "?";
}

Scenario readScenario(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error(file.string() + ": cannot be read");
    Scenario scenario;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.starts_with(stepMark)) {
            const std::string action = line.substr(stepMark.size());
            try {
                (void)parseAction(action);
            } catch (const std::invalid_argument& error) {
                throw std::runtime_error(file.string() + ", line " + std::to_string(number) + ": " + error.what());
            }
            scenario.steps.push_back({action, {}});
        } else if (scenario.steps.empty()) {
            scenario.about += line + '\n';
        } else {
            scenario.steps.back().screen += line + '\n';
        }
    }
    if (scenario.steps.empty() || scenario.steps.front().action != "start")
        throw std::runtime_error(file.string() + ": the first step must be \"== start\"");
    return scenario;
}

void writeScenario(const std::filesystem::path& file, const Scenario& scenario) {
    std::ofstream out(file, std::ios::binary);
    out << scenario.about;
    for (const Step& step : scenario.steps) out << stepMark << step.action << '\n' << step.screen;
    if (!out) throw std::runtime_error(file.string() + ": cannot be written");
}

std::vector<std::filesystem::path> scenarioFiles(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".screens") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

ui::Control& controlNamed(const ui::MainForm& form, const std::string& member) {
    for (ui::Control* control : form.controls()) {
        if (control->memberName() == member) return *control;
    }
    throw std::invalid_argument("the window has no control " + member);
}

runtime::ProjectDescription aroundClicks(runtime::ProjectDescription project, const AroundClick& around) {
    for (runtime::ClickBinding& binding : project.clickHandlers) {
        binding.handler = [around, name = std::string(binding.group), handler = binding.handler](ui::MainForm& form,
                                                                                                 runtime::Int16 index) {
            around(name + "_Click(" + runtime::toString(index) + ")", form, [&] { handler(form, index); });
        };
    }
    return project;
}

runtime::ProjectDescription logClicks(runtime::ProjectDescription project, std::vector<std::string>& log) {
    return aroundClicks(std::move(project), [&log](const std::string& click, ui::MainForm&, const auto& handler) {
        log.push_back(click);
        handler();
    });
}

std::array<std::string, 3> classificationTexts(const std::filesystem::path& folder) {
    const Scenario scenario = readScenario(folder / "classifications.screens");
    std::array<std::string, 3> texts;
    for (std::size_t option = 0; option < texts.size(); ++option) {
        const std::string action = "click Option1(" + std::to_string(option) + ")";
        const auto step = std::find_if(scenario.steps.begin(), scenario.steps.end(),
                                       [&](const Step& each) { return each.action == action; });
        if (step == scenario.steps.end()) throw std::runtime_error("classifications.screens has no " + action);
        texts.at(option) = shown(expectedScreen(*step), "Text1(0)").text;
    }
    return texts;
}

headless::Screen expectedScreen(const Step& step) {
    const std::vector<std::string> all = lines(step.screen);
    std::size_t at = 0;  // the line being read
    headless::Screen screen;
    try {
        const auto line = [&](std::string_view head) {
            if (at == all.size() || !all[at].starts_with(head))
                throw std::invalid_argument("not a \"" + std::string(head) + "...\" line");
            return std::string_view(all[at++]).substr(head.size());
        };
        (void)line("Clicks ");
        std::string_view caption = line("Window ");
        screen.caption = quotedText(caption);
        if (!caption.empty()) throw std::invalid_argument("more after the caption");
        const std::string_view focus = line("Focus ");
        screen.focus = focus == "none" ? std::string() : std::string(focus);
        while (at < all.size()) {
            headless::ShownControl control = controlHead(all[at]);
            std::string block;
            for (++at; at < all.size() && all[at].starts_with("  | "); ++at) {
                const std::string_view text = std::string_view(all[at]).substr(4);
                if (control.kind == ui::ControlKind::ListBox) {
                    control.items.push_back(unescaped(text));
                } else if (control.kind == ui::ControlKind::TextBox) {
                    block += text;  // a "\n" escape ends the line it breaks
                } else {
                    throw std::invalid_argument("a " + std::string(ui::interfaceName(control.kind)) + " has no lines");
                }
            }
            if (control.kind == ui::ControlKind::TextBox) control.text = unescaped(block);
            screen.controls.push_back(std::move(control));
        }
    } catch (const std::invalid_argument& error) {
        throw std::invalid_argument("after \"== " + step.action + "\", line " + std::to_string(at + 1) + ": " +
                                    error.what());
    }
    return screen;
}

const headless::ShownControl& shown(const headless::Screen& screen, std::string_view member) {
    for (const headless::ShownControl& control : screen.controls) {
        if (control.member == member) return control;
    }
    throw std::invalid_argument("the screen shows no " + std::string(member));
}

std::string clicksText(const std::vector<std::string>& clicks) {
    if (clicks.empty()) return "none";
    std::string text;
    for (const std::string& click : clicks) text += (text.empty() ? "" : " ") + click;
    return text;
}

std::string stepText(const std::vector<std::string>& clicks, const headless::Screen& screen) {
    return "Clicks " + clicksText(clicks) + '\n' + headless::format(screen);
}

void ScreenDriver::perform(const Action& action) {
    switch (action.kind) {
    case Action::Kind::Start: break;
    case Action::Kind::Click: click(action.member); break;
    case Action::Kind::Key: press(action.key); break;
    }
}

std::string stepMismatch(const std::string& expected, const std::optional<std::vector<std::string>>& clicks,
                         const headless::Screen& shown) {
    if (clicks) {
        const std::string step = stepText(*clicks, shown);
        return step == expected ? std::string() : unifiedDiff(expected, step);
    }
    const std::string screen = headless::format(shown);
    const std::string expectedScreen = expected.substr(expected.find('\n') + 1);
    return screen == expectedScreen ? std::string() : unifiedDiff(expectedScreen, screen);
}

std::string mismatch(const Scenario& scenario, ScreenDriver& driver) {
    for (std::size_t i = 0; i < scenario.steps.size(); ++i) {
        const Step& step = scenario.steps[i];
        driver.perform(parseAction(step.action));
        const headless::Screen shown = driver.read();
        const std::string difference = stepMismatch(step.screen, driver.takeClicks(), shown);
        if (!difference.empty()) return "step " + std::to_string(i + 1) + " (" + step.action + "):\n" + difference;
    }
    return {};
}

std::string unifiedDiff(const std::string& expected, const std::string& actual) {
    const std::vector<std::string> a = lines(expected);
    const std::vector<std::string> b = lines(actual);
    // The longest common subsequence, from the ends, gives the edit script.
    std::vector<std::vector<std::size_t>> common(a.size() + 1, std::vector<std::size_t>(b.size() + 1, 0));
    for (std::size_t i = a.size(); i-- > 0;) {
        for (std::size_t j = b.size(); j-- > 0;) {
            common[i][j] = a[i] == b[j] ? common[i + 1][j + 1] + 1 : std::max(common[i + 1][j], common[i][j + 1]);
        }
    }
    struct Edit {
        char mark;
        std::string line;
        std::size_t oldLine;
        std::size_t newLine;
    };
    std::vector<Edit> edits;
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() || j < b.size()) {
        if (i < a.size() && j < b.size() && a[i] == b[j]) {
            edits.push_back({' ', a[i], i++, j++});
        } else if (i < a.size() && (j == b.size() || common[i + 1][j] >= common[i][j + 1])) {
            edits.push_back({'-', a[i], i++, j});
        } else {
            edits.push_back({'+', b[j], i, j++});
        }
    }
    // Hunks: each change with up to three unchanged lines around it.
    constexpr std::size_t context = 3;
    std::string diff = "--- expected\n+++ shown\n";
    for (std::size_t at = 0; at < edits.size();) {
        if (edits[at].mark == ' ') {
            ++at;
            continue;
        }
        const std::size_t begin = at >= context ? at - context : 0;
        std::size_t lastChange = at;
        for (std::size_t k = at; k < edits.size() && k - lastChange <= 2 * context; ++k) {
            if (edits[k].mark != ' ') lastChange = k;
        }
        const std::size_t end = std::min(edits.size(), lastChange + context + 1);
        std::size_t oldCount = 0;
        std::size_t newCount = 0;
        for (std::size_t k = begin; k < end; ++k) {
            if (edits[k].mark != '+') ++oldCount;
            if (edits[k].mark != '-') ++newCount;
        }
        diff += "@@ -" + std::to_string(edits[begin].oldLine + 1) + ',' + std::to_string(oldCount) + " +" +
                std::to_string(edits[begin].newLine + 1) + ',' + std::to_string(newCount) + " @@\n";
        for (std::size_t k = begin; k < end; ++k) diff += edits[k].mark + edits[k].line + '\n';
        at = end;
    }
    return diff;
}

}  // namespace temperament::test_support
