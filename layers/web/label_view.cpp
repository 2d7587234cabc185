// The label: its caption as plain text, aligned as designed. The window's one
// label is its title, so it is the page's heading.

#include "layers/web/control_view.hpp"

namespace temperament::web {
namespace {

const char* toCss(ui::Alignment alignment) {
    switch (alignment) {
    case ui::Alignment::Left: return "left";
    case ui::Alignment::Right: return "right";
    case ui::Alignment::Center: return "center";
    }
    return "left";
}

class LabelView final : public ControlView {
public:
    explicit LabelView(const val& heading) : ControlView(heading, heading, "block") {}
    void refresh(ui::Property) override {}  // a label's caption is fixed
};

}  // namespace

std::unique_ptr<ControlView> createLabelView(ui::Label& control) {
    val heading = createElement("h1");
    heading.set("textContent", val(control.Caption()));
    addStyles(heading, std::string("text-align: ") + toCss(control.alignment()) + "; overflow-wrap: break-word; ");
    return std::make_unique<LabelView>(heading);
}

}  // namespace temperament::web
