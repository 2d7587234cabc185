#include "layers/headless/screen.hpp"

#include "ui/main_form.hpp"

#include <array>
#include <cstdio>
#include <sstream>

namespace temperament::headless {
namespace {

std::string escaped(std::string_view text, bool breakLines) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\r': out += "\\r"; break;
        case '\n': out += breakLines ? "\\n\n" : "\\n"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                std::array<char, 5> hex{};
                std::snprintf(hex.data(), hex.size(), "\\x%02X", static_cast<unsigned>(c));
                out += hex.data();
            } else {
                out += c;
            }
        }
    }
    return out;
}

std::string quoted(std::string_view text) { return '"' + escaped(text, false) + '"'; }

std::string head(const ShownControl& control) {
    std::string line = control.member + ' ' + std::string(ui::interfaceName(control.kind));
    switch (control.kind) {
    case ui::ControlKind::Label: line += ' ' + quoted(control.text); break;
    case ui::ControlKind::CheckBox: line += std::string(" [") + control.mark + "] " + quoted(control.text); break;
    case ui::ControlKind::OptionButton: line += std::string(" (") + control.mark + ") " + quoted(control.text); break;
    case ui::ControlKind::PictureBox:
    case ui::ControlKind::TextBox:
    case ui::ControlKind::ListBox: break;
    }
    if (!control.visible) line += " (hidden)";
    return line;
}

void indented(std::ostringstream& out, const std::string& block) {
    std::istringstream lines(block);
    for (std::string line; std::getline(lines, line);) out << "  | " << line << '\n';
}

}  // namespace

Screen screenOf(const ui::MainForm& form, std::string focus) {
    Screen screen{form.Caption(), std::move(focus), {}};
    for (const ui::Control* control : form.tabOrder()) {
        ShownControl shown{control->memberName(), control->kind(), control->Visible(), {}, ' ', {}};
        ui::visit(*control, ui::Overloaded{
                                [&](const ui::Label& label) { shown.text = label.Caption(); },
                                [&](const ui::TextBox& box) { shown.text = box.Text(); },
                                [&](const ui::CheckBox& box) {
                                    shown.text = box.Caption();
                                    shown.mark = box.Value() == ui::CheckBox::Checked  ? 'x'
                                                 : box.Value() == ui::CheckBox::Grayed ? '-'
                                                                                       : ' ';
                                },
                                [&](const ui::OptionButton& option) {
                                    shown.text = option.Caption();
                                    shown.mark = option.Value() ? '*' : ' ';
                                },
                                [&](const ui::ListBox& list) {
                                    for (runtime::Int16 i = 0; i < list.ListCount(); i = i + runtime::Int16{1})
                                        shown.items.push_back(list.List(i));
                                },
                                [](const ui::PictureBox&) {},
                            });
        screen.controls.push_back(std::move(shown));
    }
    return screen;
}

std::string format(const Screen& screen) {
    std::ostringstream out;
    out << "Window " << quoted(screen.caption) << '\n';
    out << "Focus " << (screen.focus.empty() ? "none" : screen.focus) << '\n';
    for (const ShownControl& control : screen.controls) {
        out << head(control) << '\n';
        if (!control.visible) continue;
        if (control.kind == ui::ControlKind::TextBox) indented(out, escaped(control.text, true));
        for (const std::string& item : control.items) indented(out, escaped(item, false));
    }
    return out.str();
}

std::string summary(const Screen& screen) {
    std::string line = "Focus " + (screen.focus.empty() ? std::string("none") : screen.focus);
    for (const ShownControl& control : screen.controls) {
        line += " | " + head(control);
        if (control.kind == ui::ControlKind::TextBox && control.visible)
            line += ' ' + quoted(control.text.substr(0, control.text.find('\r')));
    }
    return line;
}

}  // namespace temperament::headless
