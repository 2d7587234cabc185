#include "support/event_log.hpp"

#include "support/screens.hpp"

namespace temperament::test_support {
namespace {

// "Check1(0).Caption = Силен", "Text1(0).Text = <212 bytes>".
std::string entryOf(const ui::Control& control, ui::Property property) {
    const std::string member = control.memberName();
    switch (property) {
    case ui::Property::Visible: return member + ".Visible = " + (control.Visible() ? "true" : "false");
    case ui::Property::Caption: return member + ".Caption = " + dynamic_cast<const ui::CheckBox&>(control).Caption();
    case ui::Property::Text:
        return member + ".Text = <" + std::to_string(dynamic_cast<const ui::TextBox&>(control).Text().size()) +
               " bytes>";
    case ui::Property::Value:
        if (const auto* box = dynamic_cast<const ui::CheckBox*>(&control))
            return member + ".Value = " + runtime::toString(box->Value());
        return member + ".Value = " + (dynamic_cast<const ui::OptionButton&>(control).Value() ? "true" : "false");
    }
    return member + ".?";
}

}  // namespace

void EventLog::changed(std::span<const ui::Change> changes) {
    for (const auto& [control, property] : changes) {
        entries.push_back(entryOf(*control, property));
    }
}

runtime::ProjectDescription EventLog::wrap(runtime::ProjectDescription project) {
    project.formLoad = [this, load = project.formLoad](ui::MainForm& form) {
        form.subscribe(*this);
        note("Form_Load {");
        load(form);
        note("}");
    };
    return aroundClicks(std::move(project), [this](const std::string& click, ui::MainForm&, const auto& handler) {
        note(click + " {");
        handler();
        note("}");
    });
}

}  // namespace temperament::test_support
