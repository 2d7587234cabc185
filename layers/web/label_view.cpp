// The label: its caption as plain text, aligned as designed. The window's one
// label is its title, so it is the page's heading.

#include "layers/web/control_view.hpp"

namespace temperament::web {
namespace {

class LabelView final : public ControlView {
public:
    explicit LabelView(const val& heading) : ControlView(heading, heading) {}
    void refresh(ui::Property) override {}  // a label's caption is fixed
};

}  // namespace

std::unique_ptr<ControlView> createLabelView(const val& element) { return std::make_unique<LabelView>(element); }

}  // namespace temperament::web
