#pragma once
// A reference model of the window, written from the rules of the property
// boxes independently of the handlers, with the classifications' texts as
// the expected screens hold them; and the check that a form shows what the
// model says.

#include "support/screens.hpp"
#include "ui/main_form.hpp"

#include <array>
#include <string>
#include <vector>

namespace temperament::test_support {

class ReferenceWindow {
public:
    struct Box {
        int value = 1;
        std::string caption;
        bool visible = false;
        friend bool operator==(const Box&, const Box&) = default;
    };

    explicit ReferenceWindow(const std::filesystem::path& screens) : texts_(classificationTexts(screens)) {}

    // The Click of an option button or a property box.
    void click(const ui::Control& target) {
        const auto i = static_cast<std::size_t>(target.Index()->value());
        if (target.kind() == ui::ControlKind::OptionButton) {
            selected_ = static_cast<int>(i);
            for (Box& box : boxes_) box.visible = i == 2;
            return;
        }
        Box& box = boxes_.at(i);
        box.value = box.value == 1 ? 0 : 1;
        box.caption = captions[i][static_cast<std::size_t>(box.value)];
        const bool checked = box.value == 1;
        // Balance matters for a strong system only; mobility for a balanced one.
        if (i == 0) {
            boxes_[1].visible = checked;
            if (!checked)
                boxes_[2].visible = false;
            else if (boxes_[1].value == 1)
                boxes_[2].visible = true;
        } else if (i == 1) {
            boxes_[2].visible = checked;
        }
    }

    [[nodiscard]] int selected() const noexcept { return selected_; }
    // The display box's text once a classification is chosen.
    [[nodiscard]] const std::string& text() const { return texts_.at(static_cast<std::size_t>(selected_)); }
    [[nodiscard]] bool picture() const noexcept { return selected_ == 0; }
    [[nodiscard]] const Box& box(std::size_t i) const { return boxes_.at(i); }

    // What the user can click in this state: any option button, any shown box.
    [[nodiscard]] std::vector<ui::Control*> clickable(const ui::MainForm& form) const {
        std::vector<ui::Control*> controls;
        for (std::int16_t i = 0; i < 3; ++i) controls.push_back(&form.Option1().Item(i));
        for (std::int16_t i = 0; i < 3; ++i) {
            if (boxes_.at(static_cast<std::size_t>(i)).visible) controls.push_back(&form.Check1().Item(i));
        }
        return controls;
    }

    // What the form shows differently from this model, or "" when it shows
    // exactly this; `introduction` is the text box's content before any
    // classification is chosen.
    [[nodiscard]] std::string mismatch(const ui::MainForm& form, const std::string& introduction) const {
        if (form.Text1().Item(0).Text() != (selected_ < 0 ? introduction : text()))
            return "Text1(0) holds \"" + form.Text1().Item(0).Text() + "\"";
        if (form.Picture1().Visible() != picture()) return picture() ? "Picture1 hidden" : "Picture1 shown";
        for (std::int16_t i = 0; i < 3; ++i) {
            const ui::CheckBox& shown = form.Check1().Item(i);
            const Box& box = boxes_.at(static_cast<std::size_t>(i));
            if (shown.Value().value() != box.value || shown.Caption() != box.caption || shown.Visible() != box.visible)
                return shown.memberName() + " is " + std::to_string(shown.Value().value()) + " \"" + shown.Caption() +
                       "\"" + (shown.Visible() ? " shown" : " hidden");
            if (form.Option1().Item(i).Value() != (selected_ == i)) return "Option1(" + std::to_string(i) + ") value";
            if (form.List1().Item(i).Visible()) return "List1(" + std::to_string(i) + ") shown";
        }
        if (!form.Label1().Item(0).Visible()) return "Label1(0) hidden";
        if (form.Text1().Item(1).Visible()) return "Text1(1) shown";
        return {};
    }

private:
    static constexpr std::array<std::array<const char*, 2>, 3> captions = {{
        {"Слаб", "Силен"},
        {"Неуравновесен", "Уравновесен"},
        {"бавен", "подвижен"},
    }};

    std::array<std::string, 3> texts_;
    int selected_ = -1;
    std::array<Box, 3> boxes_ = {{{1, "Силен", false}, {1, "Уравновесен", false}, {1, "подвижен", false}}};
};

}  // namespace temperament::test_support
