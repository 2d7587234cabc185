#include "layers/web/markup.hpp"

#include "ui/contrast.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace temperament::web {
namespace {

// The design's face first, then faces with the same metrics, which the
// browser finds where Times New Roman is missing (Liberation Serif on Linux,
// Tinos on ChromeOS).
std::string fontCss(const ui::FontDesign& font) {
    std::string css = R"(font-family: ")" + font.name + R"(", "Liberation Serif", "Tinos", serif; font-size: )" +
                      std::to_string(font.points) + "pt; font-weight: " + std::to_string(font.weight) +
                      "; font-style: " + (font.italic ? "italic" : "normal") + ";";
    if (font.underline || font.strikethrough) {
        css += std::string(" text-decoration: ") + (font.underline ? "underline " : "") +
               (font.strikethrough ? "line-through" : "") + ";";
    }
    return css;
}

const char* toCss(ui::Alignment alignment) {
    switch (alignment) {
    case ui::Alignment::Left: return "left";
    case ui::Alignment::Right: return "right";
    case ui::Alignment::Center: return "center";
    }
    return "left";
}

// Where a kind comes in the one column of a narrow page: the title, the
// choices, what they show (the picture, then the text), the property boxes.
int columnOrder(ui::ControlKind kind) {
    switch (kind) {
    case ui::ControlKind::Label: return 1;
    case ui::ControlKind::OptionButton: return 2;
    case ui::ControlKind::PictureBox: return 3;
    case ui::ControlKind::TextBox: return 4;
    case ui::ControlKind::CheckBox: return 5;
    case ui::ControlKind::ListBox: return 6;
    }
    return 6;
}

std::string selectorOf(const ui::Control& control) { return "[data-member=\"" + control.memberName() + "\"]"; }

// The window as a grid with a line at every edge of a control (within the
// window), so that each control fills whole tracks. With the design's text
// every track keeps its design size; a text that needs more (a reader's text
// spacing, a larger font) widens or heightens its tracks, which moves what
// lies beyond them instead of covering it.
class DesignGrid {
public:
    explicit DesignGrid(const ui::MainForm& form)
        : width_(toPixels(form.clientWidth())), height_(toPixels(form.clientHeight())) {
        columns_ = {0, width_};
        rows_ = {0, height_};
        for (const ui::Control* control : form.tabOrder()) {
            const Edges edges = edgesOf(*control);
            columns_.insert(columns_.end(), {edges.left, edges.right});
            rows_.insert(rows_.end(), {edges.top, edges.bottom});
        }
        for (auto* lines : {&columns_, &rows_}) {
            std::sort(lines->begin(), lines->end());
            lines->erase(std::unique(lines->begin(), lines->end()), lines->end());
        }
    }

    // grid-template-columns and -rows: each track its design size at least.
    [[nodiscard]] std::string templateCss() const {
        return "grid-template-columns:" + tracks(columns_) + "; grid-template-rows:" + tracks(rows_) + ";";
    }

    // grid-column and grid-row of `control`: the lines of its edges.
    [[nodiscard]] std::string placeCss(const ui::Control& control) const {
        const Edges edges = edgesOf(control);
        return "grid-column: " + line(columns_, edges.left) + " / " + line(columns_, edges.right) +
               "; grid-row: " + line(rows_, edges.top) + " / " + line(rows_, edges.bottom) + ";";
    }

private:
    struct Edges {
        int left, top, right, bottom;
    };

    // In whole pixels as the design places them, within the window.
    [[nodiscard]] Edges edgesOf(const ui::Control& control) const {
        const ui::Rect& bounds = control.bounds();
        const int left = toPixels(bounds.left);
        const int top = toPixels(bounds.top);
        return {std::clamp(left, 0, width_), std::clamp(top, 0, height_),
                std::clamp(left + toPixels(bounds.width), 0, width_),
                std::clamp(top + toPixels(bounds.height), 0, height_)};
    }

    static std::string tracks(const std::vector<int>& lines) {
        std::string css;
        for (std::size_t i = 1; i < lines.size(); ++i) {
            css += " minmax(" + std::to_string(lines[i] - lines[i - 1]) + "px, auto)";
        }
        return css;
    }

    // CSS counts lines from 1.
    static std::string line(const std::vector<int>& lines, int at) {
        const auto found = std::lower_bound(lines.begin(), lines.end(), at);
        return std::to_string(found - lines.begin() + 1);
    }

    int width_;
    int height_;
    std::vector<int> columns_;
    std::vector<int> rows_;
};

// The background of a surface designed as `designed`, by the one contrast
// rule, with the browser's own pair (its default black text on white): the
// design's colour where that text reads on it, and otherwise the browser's
// pair in its system colours, which follow the user's scheme. Forced colours
// replace every colour anyway.
std::string backgroundCss(ui::Colour designed) {
    constexpr ui::SystemColours browser{{0x000000, 0xFFFFFF}, false};
    if (ui::paintedPair(designed, browser).background == designed) {
        return "background-color: " + toCssColour(designed) + ";";
    }
    return "background-color: Canvas; color: CanvasText;";
}

// The rule that places one control as designed.
std::string placedCss(const ui::Control& control, const DesignGrid& grid) {
    std::string css = selectorOf(control) + " { " + grid.placeCss(control);
    if (const auto colour = control.backColor()) css += " " + backgroundCss(*colour);
    ui::visit(control,
              ui::Overloaded{
                  [&](const ui::Label& label) { css += std::string(" text-align: ") + toCss(label.alignment()) + ";"; },
                  [&](const ui::TextBox& box) {
                      const ui::ScrollBars bars = box.scrollBars();
                      const bool vertical = bars == ui::ScrollBars::Vertical || bars == ui::ScrollBars::Both;
                      const bool horizontal = bars == ui::ScrollBars::Horizontal || bars == ui::ScrollBars::Both;
                      css += std::string(" overflow-y: ") + (vertical ? "scroll" : "hidden") +
                             "; overflow-x: " + (horizontal ? "scroll" : "hidden") + ";";
                  },
                  [](const auto&) {},
              });
    return css + " }\n";
}

// What every page shows the same way. The option buttons lie 24 pixels apart
// in the design but are only 19 high: each label's hit area reaches into
// half of the gap above and below it, so a finger's target is 24 pixels high
// and the window looks as designed. Below the design's width the window is
// one column: every control as wide as the page, none narrower than its
// content, the display box half the page's height. Nothing newer than the
// oldest browsers the site supports (.browserslistrc; the static checks hold
// the page to them). The line above the window says where the program cannot
// run (index.html.in). Where the browser forces the user's colours, the
// window's background goes: an outline in the text's colour keeps its edge.
constexpr std::string_view sharedCss =
    R"(body { margin: 0; min-height: 100vh; display: grid; place-items: center; align-content: center; }
body > p, noscript > p { margin: 8px; font-weight: bold; text-align: center; }
main { display: grid; overflow: hidden; }
main > * { position: relative; box-sizing: border-box; margin: 0; font: inherit; }
main > [hidden] { display: none; }
main > h1 { overflow-wrap: break-word; }
main > label { display: flex; align-items: center; }
main > label::before { content: ""; position: absolute; top: -2.5px; bottom: -2.5px; left: 0; right: 0; }
main > label > input { margin: 0 4px 0 3px; }
main > label > span { white-space: pre; }
main > textarea { resize: none; padding: 1px 3px; }
main > div { border: 2px solid; border-color: #808080 #ffffff #ffffff #808080; overflow: hidden; }
main > div > img { display: block; max-width: 100%; height: auto; }
@media (forced-colors: active) { main { outline: 2px solid CanvasText; } }
)";

// Each shown control is followed by 8 pixels in the column. (A block's items
// are placed and aligned too, by browsers that align them in blocks: the
// window as wide as the page, from its top.)
constexpr std::string_view columnCss = R"(  body { display: block; place-items: normal; align-content: normal; }
  main { min-height: 100vh; overflow: visible; display: flex; flex-direction: column; padding: 8px 8px 0; box-sizing: border-box; }
  main > [data-member] { margin-bottom: 8px; }
  main > h1 { padding: 4px 8px; }
  main > label { min-height: 44px; }
  main > label > input { width: 20px; height: 20px; margin: 0 8px; }
  main > textarea[data-member] { height: 50vh; min-height: 121px; }
  main > div { align-self: center; max-width: 100%; }
)";

void appendAttribute(std::string& html, std::string_view name, std::string_view value) {
    html += ' ';
    html += name;
    html += "=\"";
    html += escapeHtml(value);
    html += '"';
}

// One control's element. `focused` marks the element that has the keyboard
// focus when the page opens.
std::string elementHtml(const ui::Control& control, bool focused) {
    std::string attributes;
    appendAttribute(attributes, "data-member", control.memberName());
    if (!control.Visible()) attributes += " hidden";
    // A control's own name where no caption names it; the picture's is its
    // image's alternative text (picture_box_view.cpp).
    std::string named;
    if (!control.accessibleName().empty() && control.kind() != ui::ControlKind::PictureBox) {
        appendAttribute(named, "aria-label", control.accessibleName());
    }
    if (focused) named += " autofocus";
    const auto captioned = [&](const char* type, bool checked, std::string_view caption, const std::string& extra) {
        return "<label" + attributes + "><input type=\"" + type + '"' + extra + (checked ? " checked" : "") + named +
               "><span>" + escapeHtml(caption) + "</span></label>";
    };
    return ui::visit(control, ui::Overloaded{
                                  [&](const ui::PictureBox&) { return "<div" + attributes + "></div>"; },
                                  [&](const ui::Label& label) {
                                      return "<h1" + attributes + named + '>' + escapeHtml(label.Caption()) + "</h1>";
                                  },
                                  [&](const ui::TextBox& box) {
                                      appendAttribute(attributes, "wrap", box.multiLine() ? "soft" : "off");
                                      if (box.locked()) attributes += " readonly";
                                      // The parser drops one line break straight after the start tag.
                                      return "<textarea" + attributes + " spellcheck=\"false\"" + named + ">\n" +
                                             escapeHtml(toDisplayText(box.Text())) + "</textarea>";
                                  },
                                  [&](const ui::CheckBox& box) {
                                      // A grayed box is set by the program: HTML has no attribute for it.
                                      return captioned("checkbox", box.Value() == ui::CheckBox::Checked, box.Caption(),
                                                       "");
                                  },
                                  [&](const ui::OptionButton& option) {
                                      std::string group;
                                      appendAttribute(group, "name", option.Name());
                                      return captioned("radio", option.Value(), option.Caption(), group);
                                  },
                                  [&](const ui::ListBox& list) {
                                      // size 2: a list, not a drop-down.
                                      std::string html = "<select" + attributes + " size=\"2\"" + named + '>';
                                      for (ui::Int16 i{0}; i < list.ListCount(); i = i + ui::Int16{1}) {
                                          html += "<option>" + escapeHtml(list.List(i)) + "</option>";
                                      }
                                      return html + "</select>";
                                  },
                              });
}

}  // namespace

int toPixels(std::int32_t twips) {
    const std::int32_t half = twips < 0 ? -twipsPerPixel / 2 : twipsPerPixel / 2;
    return static_cast<int>((twips + half) / twipsPerPixel);
}

std::string toCssColour(std::uint32_t bgr) {
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "#%02x%02x%02x", bgr & 0xFFu, (bgr >> 8) & 0xFFu, (bgr >> 16) & 0xFFu);
    return text.data();
}

std::string toDisplayText(std::string_view crlfText) {
    std::string text;
    text.reserve(crlfText.size());
    for (std::size_t i = 0; i < crlfText.size(); ++i) {
        if (crlfText[i] == '\r' && i + 1 < crlfText.size() && crlfText[i + 1] == '\n') continue;
        text += crlfText[i];
    }
    return text;
}

std::string escapeHtml(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::string windowHtml(const ui::MainForm& form) {
    const ui::Control* focused = form.nextTabStop(nullptr, false);
    std::string html = "<main>\n";
    for (const ui::Control* control : form.tabOrder()) html += elementHtml(*control, control == focused) + '\n';
    return html + "</main>";
}

std::string windowCss(const ui::MainForm& form) {
    const DesignGrid grid(form);
    std::string css(sharedCss);
    css += "main { " + grid.templateCss() + " " + backgroundCss(form.backColor()) + " " + fontCss(form.font()) + " }\n";
    std::string column;
    for (const ui::Control* control : form.tabOrder()) {
        css += placedCss(*control, grid);
        column += "  " + selectorOf(*control) + " { order: " + std::to_string(columnOrder(control->kind())) + "; }\n";
    }
    // Narrower than the window: max-width takes fractions of a pixel, which a
    // zoomed page's width may have.
    return css + "@media (max-width: " + std::to_string(toPixels(form.clientWidth()) - 1) + ".98px) {\n" +
           std::string(columnCss) + column + "}\n";
}

PageColours pageColours(const ui::MainForm& form) {
    PageColours colours{toCssColour(form.backColor()), toCssColour(form.backColor())};
    for (const ui::Control* control : form.tabOrder()) {
        if (control->kind() == ui::ControlKind::Label && control->backColor()) {
            colours.theme = toCssColour(*control->backColor());
            break;
        }
    }
    return colours;
}

}  // namespace temperament::web
