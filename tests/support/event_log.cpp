#include "support/event_log.hpp"

#include "support/screens.hpp"

namespace temperament::test_support {
namespace {

std::string valueOf(const ui::Control& control, ui::Property property) {
    switch (property) {
    case ui::Property::Visible: return control.Visible() ? "true" : "false";
    case ui::Property::Caption: return dynamic_cast<const ui::CheckBox&>(control).Caption();
    case ui::Property::Text:
        return "<" + std::to_string(dynamic_cast<const ui::TextBox&>(control).Text().size()) + " bytes>";
    case ui::Property::Value:
        if (const auto* box = dynamic_cast<const ui::CheckBox*>(&control)) return runtime::toString(box->Value());
        return dynamic_cast<const ui::OptionButton&>(control).Value() ? "true" : "false";
    }
    return "?";
}

const char* nameOf(ui::Property property) {
    switch (property) {
    case ui::Property::Visible: return "Visible";
    case ui::Property::Caption: return "Caption";
    case ui::Property::Text: return "Text";
    case ui::Property::Value: return "Value";
    }
    return "?";
}

}  // namespace

void EventLog::changed(std::span<const ui::Change> changes) {
    for (const auto& [control, property] : changes) {
        entries.push_back(control->memberName() + "." + nameOf(property) + " = " + valueOf(*control, property));
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
