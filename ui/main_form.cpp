#include "ui/main_form.hpp"

#include "ui/design_reader.hpp"

#include <algorithm>

namespace temperament::ui {

MainForm::MainForm(const FormDesign& design)
    : caption_(design.caption),
      backColor_(design.backColor),
      clientWidth_(design.clientWidth),
      clientHeight_(design.clientHeight),
      font_(design.font),
      icon_(design.icon) {
    for (const ControlDesign& control : design.controls) {
        switch (control.kind) {
        case ControlKind::PictureBox: create<PictureBox>(control); break;
        case ControlKind::Label: create<Label>(control); break;
        case ControlKind::TextBox: create<TextBox>(control); break;
        case ControlKind::CheckBox: create<CheckBox>(control); break;
        case ControlKind::OptionButton: create<OptionButton>(control); break;
        case ControlKind::ListBox: create<ListBox>(control); break;
        }
    }
    const auto picture = std::find_if(owned_.begin(), owned_.end(), [](const auto& control) {
        return control->Name() == "Picture1" && !control->Index() && control->kind() == ControlKind::PictureBox;
    });
    if (picture == owned_.end()) throw DesignDataError(design.line, "the form needs a single PictureBox named Picture1");
    picture1_ = static_cast<PictureBox*>(picture->get());
    label1_ = &requireGroup<Label>("Label1", design.line);
    text1_ = &requireGroup<TextBox>("Text1", design.line);
    option1_ = &requireGroup<OptionButton>("Option1", design.line);
    check1_ = &requireGroup<CheckBox>("Check1", design.line);
    list1_ = &requireGroup<ListBox>("List1", design.line);
}

MainForm::~MainForm() = default;

template <class ControlType>
ControlType& MainForm::create(const ControlDesign& design) {
    ControlGroup<ControlType>* group = nullptr;
    if (design.index) {
        group = dynamic_cast<ControlGroup<ControlType>*>(this->group(design.name));
        if (group == nullptr) {
            groups_.push_back(std::make_unique<ControlGroup<ControlType>>(design.name, design.kind));
            group = static_cast<ControlGroup<ControlType>*>(groups_.back().get());
        }
    }
    auto control = std::make_unique<ControlType>(design, observers_, group);
    ControlType& result = *control;
    owned_.push_back(std::move(control));
    controlOrder_.push_back(&result);
    if (group != nullptr) group->add(result);
    return result;
}

template <class ControlType>
ControlGroup<ControlType>& MainForm::requireGroup(std::string_view name, int line) const {
    auto* found = dynamic_cast<ControlGroup<ControlType>*>(group(name));
    if (found == nullptr) {
        throw DesignDataError(line, "the form needs a group of " + std::string(interfaceName(ControlType::kindOf)) +
                                        " named " + std::string(name));
    }
    return *found;
}

std::vector<Control*> MainForm::tabOrder() const {
    std::vector<Control*> order = controlOrder_;
    std::stable_sort(order.begin(), order.end(),
                     [](const Control* a, const Control* b) { return a->tabIndex() < b->tabIndex(); });
    return order;
}

ControlGroupBase* MainForm::group(std::string_view name) const noexcept {
    for (const auto& each : groups_) {
        if (each->Name() == name) return each.get();
    }
    return nullptr;
}

void MainForm::select(OptionButton& button) {
    for (Control* control : controlOrder_) {
        if (auto* option = dynamic_cast<OptionButton*>(control); option != nullptr && option != &button) {
            option->select(false);
        }
    }
    button.select(true);
}

}  // namespace temperament::ui
