#include "runtime/run_time_error.hpp"
#include "ui/control_model.hpp"

#include <algorithm>

namespace temperament::ui {

using runtime::ErrorCode;
using runtime::RunTimeError;

void Observers::notify(const Control& control, Property property) {
    if (observers_.empty()) return;
    const Change change{&control, property};
    if (!holding_) {
        for (FormObserver* observer : observers_) observer->changed({&change, 1});
    } else if (std::find(held_.begin(), held_.end(), change) == held_.end()) {
        held_.push_back(change);
    }
}

void Observers::release() {
    holding_ = false;
    if (held_.empty()) return;
    // Told from a buffer of their own, so that a change an observer makes
    // meanwhile is told at once; both buffers are kept for the next action.
    telling_.swap(held_);
    held_.clear();
    for (FormObserver* observer : observers_) observer->changed(telling_);
    telling_.clear();
}

void Observers::drop() noexcept {
    holding_ = false;
    held_.clear();
}

Control::Control(ControlDesign design, Observers& observers, ControlGroupBase* group)
    : design_(std::move(design)), observers_(observers), group_(group), visible_(design_.visible) {}

std::string Control::memberName() const {
    if (!design_.index) return design_.name;
    return design_.name + "(" + runtime::toString(*design_.index) + ")";
}

void Control::Visible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    changed(Property::Visible);
}

void Control::raiseClick() const {
    if (group_ != nullptr && design_.index) group_->raiseClick(*design_.index);
}

void TextBox::Text(std::string text) {
    if (text_ == text) return;
    text_ = std::move(text);
    changed(Property::Text);
}

void CheckBox::Value(Int16 value) {
    if (value < Unchecked || value > Grayed) {
        throw RunTimeError(ErrorCode::InvalidPropertyValue, std::string(interfaceName(kind())), memberName(),
                           "Value = " + runtime::toString(value));
    }
    if (value == value_) return;
    value_ = value;
    changed(Property::Value);
    raiseClick();
}

void CheckBox::Caption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    changed(Property::Caption);
}

void OptionButton::select(bool selected) {
    if (selected_ == selected) return;
    selected_ = selected;
    changed(Property::Value);
}

Int16 ListBox::ListCount() const {
    const std::size_t count = design().items.size();
    if (count > static_cast<std::size_t>(INT16_MAX)) {
        throw RunTimeError(ErrorCode::Overflow, std::string(interfaceName(kind())), memberName(),
                           "ListCount = " + std::to_string(count));
    }
    return {static_cast<std::int16_t>(count)};
}

const std::string& ListBox::List(Int16 i) const {
    const std::vector<std::string>& items = design().items;
    if (i.value() < 0 || static_cast<std::size_t>(i.value()) >= items.size()) {
        throw RunTimeError(ErrorCode::InvalidPropertyIndex, std::string(interfaceName(kind())), memberName(),
                           "List(" + runtime::toString(i) + ")");
    }
    return items[static_cast<std::size_t>(i.value())];
}

void ControlGroupBase::raiseClick(Int16 index) const {
    if (click_) click_(index);
}

Control& ControlGroupBase::member(Int16 index) const {
    for (Control* each : members_) {
        if (each->Index() == index) return *each;
    }
    throw RunTimeError(ErrorCode::NoSuchMember, std::string(interfaceName(kind_)),
                       name_ + "(" + runtime::toString(index) + ")", "Item");
}

}  // namespace temperament::ui
