#pragma once
// MainForm: the program's one window. It is built from the window definition
// and owns every control for the life of the program; the logic reaches the
// controls through the named groups below, a windowing layer through
// controls(). The run-time holds it in a shared_ptr: a window that outlives
// the start routine (a web page's) takes a share of it.

#include "ui/control_model.hpp"
#include "ui/form_design.hpp"

#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace temperament::ui {

class MainForm : public std::enable_shared_from_this<MainForm> {
public:
    // Raises DesignDataError when the definition lacks a control the program
    // uses or gives it another kind.
    explicit MainForm(FormDesign design);
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;
    ~MainForm();

    [[nodiscard]] const std::string& Caption() const noexcept { return caption_; }
    [[nodiscard]] std::uint32_t backColor() const noexcept { return backColor_; }
    [[nodiscard]] std::int32_t clientWidth() const noexcept { return clientWidth_; }
    [[nodiscard]] std::int32_t clientHeight() const noexcept { return clientHeight_; }
    [[nodiscard]] const FontDesign& font() const noexcept { return font_; }
    [[nodiscard]] std::span<const unsigned char> icon() const noexcept { return icon_; }

    [[nodiscard]] PictureBox& Picture1() const noexcept { return *picture1_; }
    [[nodiscard]] ControlGroup<Label>& Label1() const noexcept { return *label1_; }
    [[nodiscard]] ControlGroup<TextBox>& Text1() const noexcept { return *text1_; }
    [[nodiscard]] ControlGroup<OptionButton>& Option1() const noexcept { return *option1_; }
    [[nodiscard]] ControlGroup<CheckBox>& Check1() const noexcept { return *check1_; }
    [[nodiscard]] ControlGroup<ListBox>& List1() const noexcept { return *list1_; }

    // Every control, in the order of the window definition.
    [[nodiscard]] const std::vector<Control*>& controls() const noexcept { return controlOrder_; }
    // Every control, by TabIndex.
    [[nodiscard]] std::vector<Control*> tabOrder() const;
    // The group of that name, or nothing.
    [[nodiscard]] ControlGroupBase* group(std::string_view name) const noexcept;

    // Makes `button` the selected choice and clears the others.
    void select(OptionButton& button);
    // Where Tab (or Shift+Tab, `backwards`) moves the keyboard focus from
    // `from`: the next shown control of the tab order that takes the focus,
    // round the form; the option buttons are one stop, entered at the chosen
    // one, or the first when none is chosen. Null when no control takes it.
    [[nodiscard]] Control* nextTabStop(const Control* from, bool backwards) const;
    // The shown option button after `button` in tab order (before it when
    // `backwards`), round the group: where an arrow key moves the choice.
    [[nodiscard]] OptionButton& neighbour(const OptionButton& button, bool backwards) const;

    // Runs `action` with the observers held: they hear of its changes once it
    // has returned. If it throws, they hear of none: the run-time reports
    // the error and ends the program.
    void changeTogether(const std::function<void()>& action);

    void subscribe(FormObserver& observer) { observers_.add(observer); }
    void unsubscribe(const FormObserver& observer) { observers_.remove(observer); }

private:
    template <class ControlType>
    ControlType& create(ControlDesign&& design);
    template <class ControlType>
    ControlGroup<ControlType>& requireGroup(std::string_view name, int line) const;
    // The group of that name if it holds ControlType, or null.
    template <class ControlType>
    [[nodiscard]] ControlGroup<ControlType>* groupOf(std::string_view name) const noexcept;

    std::string caption_;
    std::uint32_t backColor_;
    std::int32_t clientWidth_;
    std::int32_t clientHeight_;
    FontDesign font_;
    std::span<const unsigned char> icon_;

    Observers observers_;
    std::vector<std::unique_ptr<ControlGroupBase>> groups_;
    std::vector<std::unique_ptr<Control>> owned_;
    std::vector<Control*> controlOrder_;

    PictureBox* picture1_ = nullptr;
    ControlGroup<Label>* label1_ = nullptr;
    ControlGroup<TextBox>* text1_ = nullptr;
    ControlGroup<OptionButton>* option1_ = nullptr;
    ControlGroup<CheckBox>* check1_ = nullptr;
    ControlGroup<ListBox>* list1_ = nullptr;
};

}  // namespace temperament::ui
