#pragma once
// A reference model of the window, written from the program's tables of texts,
// captions and visibility, independently of the handlers; and the check that
// the real form shows what the model says.

#include "support/box_state.hpp"
#include "support/expected_texts.hpp"
#include "ui/main_form.hpp"

#include <array>
#include <sstream>
#include <string>
#include <vector>

namespace temperament::test_support {

struct ReferenceWindow {
    static constexpr std::array<std::array<const char*, 2>, 3> captions = {{
        {"Слаб", "Силен"},
        {"Неуравновесен", "Уравновесен"},
        {"бавен", "подвижен"},
    }};

    int selected = -1;
    std::string text;
    bool picture = false;
    std::array<BoxState, 3> boxes = {{{1, "Силен", false}, {1, "Уравновесен", false}, {1, "подвижен", false}}};

    void select(int classification) {
        selected = classification;
        text = classificationTexts[static_cast<std::size_t>(classification)];
        picture = classification == 0;
        for (BoxState& box : boxes) box.visible = classification == 2;
    }

    void toggle(std::size_t i) {
        BoxState& box = boxes[i];
        box.value = box.value == 1 ? 0 : 1;
        box.caption = captions[i][static_cast<std::size_t>(box.value)];
        const bool checked = box.value == 1;
        if (i == 0) {
            // Balance matters for a strong system only; mobility for a balanced one.
            boxes[1].visible = checked;
            if (!checked)
                boxes[2].visible = false;
            else if (boxes[1].value == 1)
                boxes[2].visible = true;
        } else if (i == 1) {
            boxes[2].visible = checked;
        }
    }

    // What the form shows differently from this model, or "" when it shows
    // exactly this; `introduction` is the text box's content before any
    // classification is chosen.
    [[nodiscard]] std::string mismatch(const ui::MainForm& form, const std::string& introduction) const {
        if (form.Text1().Item(0).Text() != (selected < 0 ? introduction : text))
            return "Text1(0) holds \"" + form.Text1().Item(0).Text() + "\"";
        if (form.Picture1().Visible() != picture) return picture ? "Picture1 hidden" : "Picture1 shown";
        for (std::int16_t i = 0; i < 3; ++i) {
            const BoxState box = boxState(form, i);
            if (box != boxes[static_cast<std::size_t>(i)])
                return "Check1(" + std::to_string(i) + ") is " + describe(box);
            if (form.Option1().Item(i).Value() != (selected == i)) return "Option1(" + std::to_string(i) + ") value";
            if (form.List1().Item(i).Visible()) return "List1(" + std::to_string(i) + ") shown";
        }
        if (!form.Label1().Item(0).Visible()) return "Label1(0) hidden";
        if (form.Text1().Item(1).Visible()) return "Text1(1) shown";
        return {};
    }

private:
    static std::string describe(const BoxState& box) {
        std::ostringstream out;
        out << box;
        return out.str();
    }
};

// The controls a user can click in this state: any option button, any shown box.
inline std::vector<ui::Control*> clickableControls(ui::MainForm& form, const ReferenceWindow& expected) {
    std::vector<ui::Control*> clickable;
    for (std::int16_t i = 0; i < 3; ++i) clickable.push_back(&form.Option1().Item(i));
    for (std::int16_t i = 0; i < 3; ++i) {
        if (expected.boxes[static_cast<std::size_t>(i)].visible) clickable.push_back(&form.Check1().Item(i));
    }
    return clickable;
}

// Tells the model what a click on `target` does.
inline void expectClick(ReferenceWindow& expected, const ui::Control& target) {
    const auto index = static_cast<std::size_t>(target.Index()->value());
    if (target.kind() == ui::ControlKind::OptionButton)
        expected.select(static_cast<int>(index));
    else
        expected.toggle(index);
}

}  // namespace temperament::test_support
