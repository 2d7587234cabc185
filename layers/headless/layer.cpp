#include "layers/headless/layer.hpp"

#include "ui/main_form.hpp"

#include <ostream>
#include <sstream>

namespace temperament::headless {
namespace {

void describe(std::ostream& out, const ui::Control& control) {
    out << control.memberName() << ' ';
    if (const auto* label = dynamic_cast<const ui::Label*>(&control)) {
        out << "label \"" << label->Caption() << "\"\n";
    } else if (const auto* option = dynamic_cast<const ui::OptionButton*>(&control)) {
        out << (option->Value() ? "(*) \"" : "( ) \"") << option->Caption() << "\"\n";
    } else if (const auto* box = dynamic_cast<const ui::CheckBox*>(&control)) {
        out << '['
            << (box->Value() == ui::CheckBox::Checked  ? 'x'
                : box->Value() == ui::CheckBox::Grayed ? '-'
                                                       : ' ')
            << "] \"" << box->Caption() << "\"\n";
    } else if (const auto* picture = dynamic_cast<const ui::PictureBox*>(&control)) {
        out << "picture of " << picture->Picture().size() << " bytes\n";
    } else if (const auto* list = dynamic_cast<const ui::ListBox*>(&control)) {
        out << "list of " << list->ListCount().value() << " items\n";
    } else if (const auto* text = dynamic_cast<const ui::TextBox*>(&control)) {
        out << "text:\n";
        std::istringstream lines(text->Text());
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            out << "    | " << line << '\n';
        }
    }
}

}  // namespace

std::string describeScreen(const ui::MainForm& form) {
    std::ostringstream out;
    out << "Window \"" << form.Caption() << "\", " << form.clientWidth() << " x " << form.clientHeight() << " twips\n";
    for (const ui::Control* control : form.tabOrder()) {
        if (control->Visible()) describe(out, *control);
    }
    return out.str();
}

int Layer::run(ui::MainForm& form, runtime::Dispatcher& dispatcher) {
    screen_ << describeScreen(form) << std::flush;
    return dispatcher.exitStatus();
}

void Layer::report(std::string_view message) { errors_ << message << std::endl; }

}  // namespace temperament::headless
