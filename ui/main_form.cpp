#include "ui/main_form.hpp"

#include "ui/design_reader.hpp"

#include <algorithm>
#include <stdexcept>

namespace temperament::ui {

MainForm::MainForm(FormDesign design)
    : caption_(std::move(design.caption)),
      backColor_(design.backColor),
      clientWidth_(design.clientWidth),
      clientHeight_(design.clientHeight),
      font_(design.font),
      icon_(design.icon) {
    for (ControlDesign& control : design.controls) {
        visitKind(control.kind, [&]<class Kind>(std::type_identity<Kind>) { create<Kind>(std::move(control)); });
    }
    for (Control* control : controlOrder_) {
        if (picture1_ == nullptr && control->Name() == "Picture1" && !control->Index())
            picture1_ = as<PictureBox>(*control);
    }
    if (picture1_ == nullptr) throw DesignDataError(design.line, "the form needs a single PictureBox named Picture1");
    label1_ = &requireGroup<Label>("Label1", design.line);
    text1_ = &requireGroup<TextBox>("Text1", design.line);
    option1_ = &requireGroup<OptionButton>("Option1", design.line);
    check1_ = &requireGroup<CheckBox>("Check1", design.line);
    list1_ = &requireGroup<ListBox>("List1", design.line);
}

MainForm::~MainForm() = default;

template <class ControlType>
ControlType& MainForm::create(ControlDesign&& design) {
    ControlGroup<ControlType>* group = nullptr;
    if (design.index) {
        group = groupOf<ControlType>(design.name);
        if (group == nullptr) {
            groups_.push_back(std::make_unique<ControlGroup<ControlType>>(design.name, design.kind));
            group = static_cast<ControlGroup<ControlType>*>(groups_.back().get());
        }
    }
    auto control = std::make_unique<ControlType>(std::move(design), observers_, group);
    ControlType& result = *control;
    owned_.push_back(std::move(control));
    controlOrder_.push_back(&result);
    if (group != nullptr) group->add(result);
    return result;
}

template <class ControlType>
ControlGroup<ControlType>& MainForm::requireGroup(std::string_view name, int line) const {
    auto* found = groupOf<ControlType>(name);
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

template <class ControlType>
ControlGroup<ControlType>* MainForm::groupOf(std::string_view name) const noexcept {
    ControlGroupBase* found = group(name);
    if (found == nullptr || found->kind() != ControlType::kindOf) return nullptr;
    return static_cast<ControlGroup<ControlType>*>(found);
}

OptionButton& MainForm::neighbour(const OptionButton& button, bool backwards) const {
    std::vector<OptionButton*> shown;
    for (Control* control : tabOrder()) {
        if (auto* option = as<OptionButton>(*control); option != nullptr && option->Visible()) shown.push_back(option);
    }
    const auto at = std::find(shown.begin(), shown.end(), &button);
    if (at == shown.end()) throw std::logic_error(button.memberName() + " is not a shown option button");
    const auto count = static_cast<std::ptrdiff_t>(shown.size());
    return *shown[static_cast<std::size_t>((at - shown.begin() + (backwards ? count - 1 : 1)) % count)];
}

Control* MainForm::nextTabStop(const Control* from, bool backwards) const {
    const auto isOption = [](const Control* control) {
        return control != nullptr && control->kind() == ControlKind::OptionButton;
    };
    std::vector<Control*> stops;
    for (Control* control : tabOrder()) {
        if (!control->Visible() || !takesFocus(control->kind())) continue;
        // The option group is one stop, at its first button.
        if (isOption(control) && std::any_of(stops.begin(), stops.end(), isOption)) continue;
        stops.push_back(control);
    }
    if (stops.empty()) return nullptr;
    auto at = std::find_if(stops.begin(), stops.end(),
                           [&](const Control* stop) { return stop == from || (isOption(stop) && isOption(from)); });
    const auto count = static_cast<std::ptrdiff_t>(stops.size());
    const std::ptrdiff_t here = at == stops.end() ? (backwards ? 0 : -1) : at - stops.begin();
    Control* next = stops[static_cast<std::size_t>((here + (backwards ? count - 1 : 1)) % count)];
    if (!isOption(next)) return next;
    for (Control* control : tabOrder()) {
        if (auto* option = as<OptionButton>(*control); option != nullptr && option->Visible() && option->Value())
            return option;
    }
    return next;
}

ControlGroupBase* MainForm::group(std::string_view name) const noexcept {
    for (const auto& each : groups_) {
        if (each->Name() == name) return each.get();
    }
    return nullptr;
}

void MainForm::changeTogether(const std::function<void()>& action) {
    struct Held {
        Observers& observers;
        ~Held() { observers.drop(); }
    } held{observers_};
    observers_.hold();
    action();
    observers_.release();
}

void MainForm::select(OptionButton& button) {
    for (Control* control : controlOrder_) {
        if (auto* option = as<OptionButton>(*control); option != nullptr && option != &button) option->select(false);
    }
    button.select(true);
}

}  // namespace temperament::ui
