// Writes out what the scripts and the hand-built windows need of the window
// definition and the expected files, read by the program's and the tests' own
// readers, so that no script reads those formats itself. The build runs it
// (cmake/ExpectedData.cmake):
//   expected_data json FILE SCREENS ACCESSIBILITY
//     JSON: the window as the program builds it from its design data (its
//     caption, client size and colour; each control's kind, place in twips
//     and colour, null for the platform's), the error report's title and
//     closing line, and the steps of every .tree and .speech file of
//     ACCESSIBILITY, each action also read ("do" and its key or control's
//     name), an utterance without its quotes; a .speech file's steps must be
//     those of the scenario of SCREENS with the same name.
//   expected_data texts FILE qt|windows SCREENS
//     a C++ header of the texts that classifications.screens shows, for the
//     hand-built baseline windows: UTF-16 literals, a line break written as
//     Qt takes it (u"...\n") or as Windows does (L"...\r\n").

#include "app/project.hpp"
#include "runtime/error_reporter.hpp"
#include "support/accessibility.hpp"
#include "support/screens.hpp"

#include <array>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <span>
#include <sstream>

namespace {

using namespace temperament;
using namespace temperament::test_support;

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                std::array<char, 7> escape{};
                std::snprintf(escape.data(), escape.size(), "\\u%04x", static_cast<unsigned>(c));
                out += escape.data();
            } else {
                out += c;
            }
        }
    }
    return out + '"';
}

// The action read: {"do": "start"}, {"do": "key", "key": "Tab"}, or
// {"do": "click" (or "toggle", "press"), "name": <accessible name>}. A
// speech's actions, start and keys, read as a tree's.
std::string jsonAction(const std::string& text) {
    const TreeAction action = parseTreeAction(text);
    switch (action.kind) {
    case TreeAction::Kind::Start: return R"({"do": "start"})";
    case TreeAction::Kind::Key: return R"({"do": "key", "key": )" + jsonString(headless::keyName(action.key)) + "}";
    case TreeAction::Kind::Click: return R"({"do": "click", "name": )" + jsonString(action.name) + "}";
    case TreeAction::Kind::Toggle: return R"({"do": "toggle", "name": )" + jsonString(action.name) + "}";
    case TreeAction::Kind::Press: return R"({"do": "press", "name": )" + jsonString(action.name) + "}";
    }
    return "null";
}

// [{"do": ..., "action": <as written>, "tree" (or "said"): [lines]}]
std::string jsonSteps(const AccessibleScenario& scenario, bool tree) {
    std::string out = "[";
    for (const AccessibleStep& step : scenario.steps) {
        std::string action = jsonAction(step.action);
        action.pop_back();  // its "}"
        out += std::string(out.size() > 1 ? ",\n    " : "\n    ") + action +
               ", \"action\": " + jsonString(step.action) + (tree ? ", \"tree\": [" : ", \"said\": [");
        for (std::size_t i = 0; i < step.lines.size(); ++i) {
            out += (i == 0 ? "" : ", ") + jsonString(tree ? step.lines[i] : unquoted(step.lines[i]));
        }
        out += "]}";
    }
    return out + "]";
}

std::string jsonDesign() {
    const runtime::ProjectDescription project = app::describeProject();
    const std::shared_ptr<ui::MainForm> form = project.createForm(project);
    std::ostringstream out;
    out << "{\"caption\": " << jsonString(form->Caption()) << ", \"clientWidth\": " << form->clientWidth()
        << ", \"clientHeight\": " << form->clientHeight() << ", \"backColor\": " << form->backColor()
        << ",\n  \"controls\": {";
    const char* separator = "\n    ";
    for (const ui::Control* control : form->controls()) {
        const ui::Rect& bounds = control->bounds();
        out << separator << jsonString(control->memberName())
            << ": {\"kind\": " << jsonString(ui::interfaceName(control->kind())) << ", \"left\": " << bounds.left
            << ", \"top\": " << bounds.top << ", \"width\": " << bounds.width << ", \"height\": " << bounds.height
            << ", \"backColor\": ";
        if (const auto colour = control->backColor()) {
            out << *colour;
        } else {
            out << "null";
        }
        out << '}';
        separator = ",\n    ";
    }
    out << "}}";
    return out.str();
}

// {"<file name>": [steps]} of every file of `folder` with that extension.
std::string jsonAccessibility(const std::filesystem::path& folder, const std::filesystem::path& screens,
                              std::string_view extension) {
    const bool speech = extension == ".speech";
    std::string out = "{";
    for (const std::filesystem::path& file : accessibleScenarioFiles(folder, extension)) {
        const AccessibleScenario scenario = readAccessibleScenario(file);
        if (speech) {
            const std::filesystem::path played = screens / file.filename().replace_extension(".screens");
            const Scenario keys = readScenario(played);
            bool same = keys.steps.size() == scenario.steps.size();
            for (std::size_t i = 0; same && i < keys.steps.size(); ++i) {
                same = keys.steps[i].action == scenario.steps[i].action;
            }
            if (!same) throw std::runtime_error(file.string() + " does not follow the steps of " + played.string());
        }
        out += (out.size() > 1 ? ",\n  " : "\n  ") + jsonString(file.filename().string()) + ": " +
               jsonSteps(scenario, !speech);
    }
    return out + "}";
}

std::string json(const std::filesystem::path& screens, const std::filesystem::path& accessibility) {
    return "{\"design\": " + jsonDesign() + ",\n\"errorReport\": {\"title\": " + jsonString(runtime::reportTitle) +
           ", \"closing\": " + jsonString(runtime::reportClosing) +
           "},\n\"trees\": " + jsonAccessibility(accessibility, screens, ".tree") +
           ",\n\"speech\": " + jsonAccessibility(accessibility, screens, ".speech") + "}\n";
}

// A C++ string literal of `text`, CR LF written as `lineBreak`.
std::string literal(const std::string& prefix, const std::string& text, const std::string& lineBreak) {
    std::string out = prefix + '"';
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\r\n") == 0) {
            out += lineBreak;
            ++i;
        } else if (text[i] == '"' || text[i] == '\\') {
            out += std::string("\\") + text[i];
        } else if (static_cast<unsigned char>(text[i]) < 0x20) {
            throw std::runtime_error("a control character in a text of the hand-built windows");
        } else {
            out += text[i];
        }
    }
    return out + '"';
}

std::string texts(const std::filesystem::path& screens, const std::string& prefix, const std::string& lineBreak) {
    const Scenario scenario = readScenario(screens / "classifications.screens");
    // The first screen, and the first screen after a click on the second and
    // on the third option button.
    const auto after = [&](const std::string& action) {
        for (const Step& step : scenario.steps) {
            if (step.action == action) return expectedScreen(step);
        }
        throw std::runtime_error("classifications.screens has no step \"" + action + '"');
    };
    const headless::Screen first = after("start");
    const headless::Screen second = after("click Option1(1)");
    const headless::Screen third = after("click Option1(2)");
    const auto text = [&](const headless::Screen& screen, const std::string& member) {
        return literal(prefix, shown(screen, member).text, lineBreak);
    };
    const auto checked = [&](const std::string& member) { return shown(third, member).mark == 'x' ? "true" : "false"; };
    return "#pragma once\n"
           "// Made by the build (tests/expected_data.cpp) from the expected screens: the\n"
           "// texts the program shows, for the hand-built baseline windows.\n"
           "\n"
           "#include <array>\n"
           "\n"
           "namespace hand_built {\n"
           "\n"
           "inline constexpr auto caption = " +
           literal(prefix, first.caption, lineBreak) + ";\n" +  //
           "inline constexpr auto title = " + text(first, "Label1(0)") + ";\n" +
           "inline constexpr std::array options{" + text(first, "Option1(0)") + ", " + text(first, "Option1(1)") +
           ", " + text(first, "Option1(2)") + "};\n" +  //
           "inline constexpr auto introduction = " + text(first, "Text1(0)") + ";\n" +
           "// The display box after a click on the second and on the third option button.\n"
           "inline constexpr auto secondText = " +
           text(second, "Text1(0)") + ";\n" +  //
           "inline constexpr auto thirdText = " + text(third, "Text1(0)") + ";\n" +
           "// The property boxes the third option button shows.\n"
           "inline constexpr std::array boxes{" +
           text(third, "Check1(0)") + ", " + text(third, "Check1(1)") + ", " + text(third, "Check1(2)") + "};\n" +
           "inline constexpr std::array boxesChecked{" + checked("Check1(0)") + ", " + checked("Check1(1)") + ", " +
           checked("Check1(2)") + "};\n" +  //
           "\n"
           "}  // namespace hand_built\n";
}

void write(const std::filesystem::path& file, const std::string& content) {
    std::ofstream out(file, std::ios::binary);
    out << content;
    if (!out.flush()) throw std::runtime_error(file.string() + ": cannot be written");
}

}  // namespace

int main(int argc, char** argv) {
    const std::span<char*> arguments(argv, static_cast<std::size_t>(argc));
    const std::string what = arguments.size() > 1 ? arguments[1] : "";
    const std::string style = arguments.size() == 5 ? arguments[3] : "";
    if (!((what == "json" && arguments.size() == 5) || (what == "texts" && (style == "qt" || style == "windows")))) {
        std::cerr << "usage: expected_data json FILE SCREENS ACCESSIBILITY\n"
                     "       expected_data texts FILE qt|windows SCREENS\n";
        return 2;
    }
    try {
        if (what == "json") write(arguments[2], json(arguments[3], arguments[4]));
        if (what == "texts") {
            const bool qt = style == "qt";
            write(arguments[2], texts(arguments[4], qt ? "u" : "L", qt ? "\\n" : "\\r\\n"));
        }
    } catch (const std::exception& error) {
        std::cerr << "expected_data: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
