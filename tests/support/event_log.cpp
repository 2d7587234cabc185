#include "support/event_log.hpp"

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

void EventLog::propertyChanged(const ui::Control& control, ui::Property property) {
    entries.push_back(control.memberName() + "." + nameOf(property) + " = " + valueOf(control, property));
}

runtime::ProjectDescription EventLog::wrap(runtime::ProjectDescription project) {
    project.formLoad = [this, load = project.formLoad](ui::MainForm& form) {
        form.subscribe(*this);
        note("Form_Load {");
        load(form);
        note("}");
    };
    for (runtime::ClickBinding& binding : project.clickHandlers) {
        binding.handler = [this, name = std::string(binding.group), handler = binding.handler](ui::MainForm& form,
                                                                                               runtime::Int16 index) {
            note(name + "_Click(" + runtime::toString(index) + ") {");
            handler(form, index);
            note("}");
        };
    }
    return project;
}

}  // namespace temperament::test_support
