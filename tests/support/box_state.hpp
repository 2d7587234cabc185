#pragma once
// A property box as the user sees it: checked or not, its caption, shown or not.

#include "ui/main_form.hpp"

#include <ostream>
#include <string>

namespace temperament::test_support {

struct BoxState {
    int value;
    std::string caption;
    bool visible;
    friend bool operator==(const BoxState&, const BoxState&) = default;
    friend std::ostream& operator<<(std::ostream& out, const BoxState& box) {
        return out << "{" << box.value << ", \"" << box.caption << "\", " << (box.visible ? "shown" : "hidden") << "}";
    }
};

inline BoxState boxState(const ui::MainForm& form, std::int16_t index) {
    const ui::CheckBox& box = form.Check1().Item(index);
    return {box.Value().value(), box.Caption(), box.Visible()};
}

}  // namespace temperament::test_support
