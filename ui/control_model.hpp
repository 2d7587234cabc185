#pragma once
// The controls that the logic reads and sets, the indexed groups they belong
// to, and the notifications through which a windowing layer mirrors them.
// Every access that can fail is checked and raises runtime::RunTimeError.

#include "runtime/int16.hpp"
#include "ui/form_design.hpp"

#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

namespace temperament::ui {

using runtime::Int16;

// The properties that change at run time.
enum class Property { Visible, Caption, Text, Value };

class Control;

// A property of a control that has a new value.
struct Change {
    const Control* control;
    Property property;
    friend bool operator==(const Change&, const Change&) = default;
};

// A windowing layer's view of the model. The changes a user action makes
// reach it once the action's handlers are done, all in one call and each
// once, in the order they were first made: a text a handler builds line by
// line is drawn once. A change made outside a user action reaches it at once.
// It reads the new values from the controls.
class FormObserver {
public:
    virtual void changed(std::span<const Change> changes) = 0;

protected:
    FormObserver() = default;
    ~FormObserver() = default;
    FormObserver(const FormObserver&) = default;
    FormObserver& operator=(const FormObserver&) = default;
};

class Observers {
public:
    void add(FormObserver& observer) { observers_.push_back(&observer); }
    void remove(const FormObserver& observer) { std::erase(observers_, &observer); }
    // Tells every observer of the change, or keeps it while they are held.
    void notify(const Control& control, Property property);
    // Keeps the changes from now on, until release() tells them or drop()
    // forgets them.
    void hold() noexcept { holding_ = true; }
    void release();
    void drop() noexcept;

private:
    std::vector<FormObserver*> observers_;
    std::vector<Change> held_;
    std::vector<Change> telling_;
    bool holding_ = false;
};

class ControlGroupBase;

class Control {
public:
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    [[nodiscard]] ControlKind kind() const noexcept { return design_.kind; }
    [[nodiscard]] const std::string& Name() const noexcept { return design_.name; }
    [[nodiscard]] std::optional<Int16> Index() const noexcept { return design_.index; }
    // "Check1(2)" for a group member, "Picture1" for a single control.
    [[nodiscard]] std::string memberName() const;
    [[nodiscard]] const Rect& bounds() const noexcept { return design_.bounds; }
    [[nodiscard]] std::optional<std::uint32_t> backColor() const noexcept { return design_.backColor; }
    [[nodiscard]] Int16 tabIndex() const noexcept { return design_.tabIndex; }
    [[nodiscard]] const std::string& accessibleName() const noexcept { return design_.accessibleName; }

    [[nodiscard]] bool Visible() const noexcept { return visible_; }
    void Visible(bool visible);

    // Runs the Click handler of this control's group, if it has one.
    void raiseClick() const;

protected:
    Control(ControlDesign design, Observers& observers, ControlGroupBase* group);
    void changed(Property property) const { observers_.notify(*this, property); }
    [[nodiscard]] const ControlDesign& design() const noexcept { return design_; }

private:
    ControlDesign design_;
    Observers& observers_;
    ControlGroupBase* group_;
    bool visible_;
};

class PictureBox final : public Control {
public:
    static constexpr ControlKind kindOf = ControlKind::PictureBox;

    PictureBox(ControlDesign design, Observers& observers, ControlGroupBase* group)
        : Control(std::move(design), observers, group) {}
    // The encoded picture (JPEG); decoding it is the windowing layer's job.
    [[nodiscard]] std::span<const unsigned char> Picture() const noexcept { return design().picture; }
};

class Label final : public Control {
public:
    static constexpr ControlKind kindOf = ControlKind::Label;

    Label(ControlDesign design, Observers& observers, ControlGroupBase* group)
        : Control(std::move(design), observers, group) {}
    [[nodiscard]] const std::string& Caption() const noexcept { return design().caption; }
    [[nodiscard]] Alignment alignment() const noexcept { return design().alignment; }
};

class TextBox final : public Control {
public:
    static constexpr ControlKind kindOf = ControlKind::TextBox;

    TextBox(ControlDesign design, Observers& observers, ControlGroupBase* group)
        : Control(std::move(design), observers, group), text_(this->design().text) {}
    [[nodiscard]] const std::string& Text() const noexcept { return text_; }
    void Text(std::string text);
    [[nodiscard]] bool multiLine() const noexcept { return design().multiLine; }
    [[nodiscard]] bool locked() const noexcept { return design().locked; }
    [[nodiscard]] ScrollBars scrollBars() const noexcept { return design().scrollBars; }

private:
    std::string text_;
};

class CheckBox final : public Control {
public:
    static constexpr ControlKind kindOf = ControlKind::CheckBox;

    CheckBox(ControlDesign design, Observers& observers, ControlGroupBase* group)
        : Control(std::move(design), observers, group),
          caption_(this->design().caption),
          value_(this->design().value) {}

    static constexpr Int16 Unchecked{0};
    static constexpr Int16 Checked{1};
    static constexpr Int16 Grayed{2};

    [[nodiscard]] Int16 Value() const noexcept { return value_; }
    // A new value raises Click at once, nested in this call; the same value
    // raises nothing. Values other than 0, 1 and 2 are a run-time error.
    void Value(Int16 value);
    [[nodiscard]] const std::string& Caption() const noexcept { return caption_; }
    void Caption(std::string caption);

private:
    std::string caption_;
    Int16 value_;
};

class OptionButton final : public Control {
public:
    static constexpr ControlKind kindOf = ControlKind::OptionButton;

    OptionButton(ControlDesign design, Observers& observers, ControlGroupBase* group)
        : Control(std::move(design), observers, group), selected_(this->design().selected) {}
    [[nodiscard]] const std::string& Caption() const noexcept { return design().caption; }
    // Whether this is the selected choice of the form.
    [[nodiscard]] bool Value() const noexcept { return selected_; }

private:
    friend class MainForm;  // keeps one choice selected across the form
    void select(bool selected);
    bool selected_;
};

class ListBox final : public Control {
public:
    static constexpr ControlKind kindOf = ControlKind::ListBox;

    ListBox(ControlDesign design, Observers& observers, ControlGroupBase* group)
        : Control(std::move(design), observers, group) {}
    // Raises the overflow error if the list holds more than 32767 items.
    [[nodiscard]] Int16 ListCount() const;
    // Item i, counted from 0; an index past the items is a run-time error.
    [[nodiscard]] const std::string& List(Int16 i) const;
};

// Controls of one kind sharing one name, told apart by Index, with one
// handler per event that receives the member's Index.
class ControlGroupBase {
public:
    using ClickHandler = std::function<void(Int16 index)>;

    ControlGroupBase(std::string name, ControlKind kind) : name_(std::move(name)), kind_(kind) {}
    virtual ~ControlGroupBase() = default;
    ControlGroupBase(const ControlGroupBase&) = delete;
    ControlGroupBase& operator=(const ControlGroupBase&) = delete;

    [[nodiscard]] const std::string& Name() const noexcept { return name_; }
    [[nodiscard]] ControlKind kind() const noexcept { return kind_; }

    void onClick(ClickHandler handler) { click_ = std::move(handler); }
    // Runs the Click handler, if the group has one, for the member at index.
    void raiseClick(Int16 index) const;

protected:
    void add(Control& member) { members_.push_back(&member); }
    // The member with that Index, or the run-time error naming group and index.
    [[nodiscard]] Control& member(Int16 index) const;

private:
    std::string name_;
    ControlKind kind_;
    std::vector<Control*> members_;
    ClickHandler click_;
};

template <class ControlType>
class ControlGroup final : public ControlGroupBase {
public:
    using ControlGroupBase::ControlGroupBase;

    [[nodiscard]] ControlType& Item(Int16 index) const { return static_cast<ControlType&>(member(index)); }

private:
    friend class MainForm;
    void add(ControlType& member) { ControlGroupBase::add(member); }
};

// Calls `visitor` with the std::type_identity of the class of `kind`. Code
// that handles every kind goes through visitKind() or visit() below (or a
// switch that names every kind): a kind added to ControlKind then fails to
// compile wherever it is not handled. Code that asks after one kind only
// compares kind() or uses as<>().
template <class Visitor>
decltype(auto) visitKind(ControlKind kind, Visitor&& visitor) {
    switch (kind) {
    case ControlKind::PictureBox: return visitor(std::type_identity<PictureBox>{});
    case ControlKind::Label: return visitor(std::type_identity<Label>{});
    case ControlKind::TextBox: return visitor(std::type_identity<TextBox>{});
    case ControlKind::CheckBox: return visitor(std::type_identity<CheckBox>{});
    case ControlKind::OptionButton: return visitor(std::type_identity<OptionButton>{});
    case ControlKind::ListBox: return visitor(std::type_identity<ListBox>{});
    }
    throw std::logic_error("a control of no known kind");
}

// Calls `visitor` with `control` as the class of its kind (const if it is).
template <class AnyControl, class Visitor>
requires std::is_base_of_v<Control, std::remove_const_t<AnyControl>>
decltype(auto) visit(AnyControl& control, Visitor&& visitor) {
    return visitKind(control.kind(), [&]<class Kind>(std::type_identity<Kind>) -> decltype(auto) {
        using Target = std::conditional_t<std::is_const_v<AnyControl>, const Kind, Kind>;
        return visitor(static_cast<Target&>(control));
    });
}

// `control` as a Kind, or null when it is of another kind.
template <class Kind, class AnyControl>
requires std::is_base_of_v<Control, std::remove_const_t<AnyControl>>
auto* as(AnyControl& control) noexcept {
    using Target = std::conditional_t<std::is_const_v<AnyControl>, const Kind, Kind>;
    return control.kind() == Kind::kindOf ? static_cast<Target*>(&control) : nullptr;
}

// Lambdas overloaded into one visitor.
template <class... Functions>
struct Overloaded : Functions... {
    using Functions::operator()...;
};
template <class... Functions>
Overloaded(Functions...) -> Overloaded<Functions...>;

}  // namespace temperament::ui
