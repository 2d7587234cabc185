// The list box: its items in a native list. The program's list boxes stay
// hidden (they hold the types the handlers read).

#include "layers/web/control_view.hpp"

namespace temperament::web {
namespace {

class ListBoxView final : public ControlView {
public:
    explicit ListBoxView(const val& list) : ControlView(list, list, "block") {}
    void refresh(ui::Property) override {}  // the items never change
};

}  // namespace

std::unique_ptr<ControlView> createListBoxView(ui::ListBox& control) {
    val list = createElement("select");
    list.set("size", val(2));  // a list, not a drop-down
    for (runtime::Int16 i{0}; i < control.ListCount(); i = i + runtime::Int16{1}) {
        val item = createElement("option");
        item.set("textContent", val(control.List(i)));
        list.call<void>("append", item);
    }
    return std::make_unique<ListBoxView>(list);
}

}  // namespace temperament::web
