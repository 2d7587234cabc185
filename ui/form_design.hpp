#pragma once
// The window definition as read from the design data: plain values that the
// run-time turns into live controls. Geometry is in twips, colours are
// 0x00BBGGRR, text is UTF-8 with CR LF line breaks.

#include "runtime/int16.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace temperament::ui {

enum class ControlKind { PictureBox, Label, TextBox, CheckBox, OptionButton, ListBox };

// The one table of kind names, as the design data, run-time errors and the
// expected screens of the tests spell them.
inline constexpr std::array<std::pair<ControlKind, std::string_view>, 6> controlKinds = {{
    {ControlKind::PictureBox, "PictureBox"},
    {ControlKind::Label, "Label"},
    {ControlKind::TextBox, "TextBox"},
    {ControlKind::CheckBox, "CheckBox"},
    {ControlKind::OptionButton, "OptionButton"},
    {ControlKind::ListBox, "ListBox"},
}};

// The interface name of a kind.
[[nodiscard]] constexpr std::string_view interfaceName(ControlKind kind) noexcept {
    for (const auto& [each, name] : controlKinds) {
        if (each == kind) return name;
    }
    return "Control";
}

// Whether the user can put the keyboard focus on a control of that kind:
// labels and pictures only show.
[[nodiscard]] constexpr bool takesFocus(ControlKind kind) noexcept {
    return kind != ControlKind::Label && kind != ControlKind::PictureBox;
}

// The kind of that name, or nothing.
[[nodiscard]] constexpr std::optional<ControlKind> kindNamed(std::string_view name) noexcept {
    for (const auto& [kind, each] : controlKinds) {
        if (each == name) return kind;
    }
    return std::nullopt;
}

enum class Alignment { Left, Right, Center };
enum class ScrollBars { None, Horizontal, Vertical, Both };

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

struct FontDesign {
    std::string name;
    std::int32_t points = 0;
    std::int32_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    std::int32_t charset = 0;
};

// One control; the fields a kind does not use keep their defaults.
struct ControlDesign {
    ControlKind kind = ControlKind::Label;
    std::string name;
    std::optional<runtime::Int16> index;  // set for members of a group
    int line = 0;                         // where the design data defines it
    Rect bounds;
    std::optional<std::uint32_t> backColor;  // none: the platform's colour for the kind
    runtime::Int16 tabIndex;
    bool visible = true;
    std::string accessibleName;  // for screen readers, where no caption names the control
    std::string caption;         // label, check box, option button
    Alignment alignment = Alignment::Left;
    std::string text;  // text box
    bool multiLine = false;
    bool locked = false;  // text box the user may not type into
    ScrollBars scrollBars = ScrollBars::None;
    runtime::Int16 value;                    // check box: 0, 1 or 2
    bool selected = false;                   // option button
    std::vector<std::string> items;          // list box
    std::span<const unsigned char> picture;  // picture box: encoded image bytes
};

struct FormDesign {
    std::string name;
    int line = 0;  // where the design data begins the form
    std::string caption;
    std::uint32_t backColor = 0;
    std::int32_t clientWidth = 0;
    std::int32_t clientHeight = 0;
    FontDesign font;
    std::span<const unsigned char> icon;
    std::vector<ControlDesign> controls;  // in the order of the design data
};

}  // namespace temperament::ui
