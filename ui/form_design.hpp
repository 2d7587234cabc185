#pragma once
// The window definition as read from the design data: plain values that the
// run-time turns into live controls. Geometry is in twips, colours are
// 0x00BBGGRR, text is UTF-8 with CR LF line breaks.

#include "runtime/int16.hpp"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace temperament::ui {

enum class ControlKind { PictureBox, Label, TextBox, CheckBox, OptionButton, ListBox };

// The interface name of a kind, as run-time errors and the design data spell it.
[[nodiscard]] const char* interfaceName(ControlKind kind) noexcept;

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
