// The list box: its items in a native list. The program's list boxes stay
// hidden (they hold the types the handlers read).

#include "layers/web/control_view.hpp"

namespace temperament::web {
namespace {

class ListBoxView final : public ControlView {
public:
    explicit ListBoxView(const val& list) : ControlView(list, list) {}
    void refresh(ui::Property) override {}  // the items never change
};

}  // namespace

std::unique_ptr<ControlView> createListBoxView(const val& element) { return std::make_unique<ListBoxView>(element); }

}  // namespace temperament::web
