// The list box: its items, as designed.

#include "qt/control_view.hpp"
#include "qt/qt_convert.hpp"

#include <QListWidget>

namespace temperament::qt {
namespace {

class ListBoxView final : public ControlView {
public:
    explicit ListBoxView(QListWidget& list) : ControlView(list) {}
    void refresh(ui::Property) override {}  // the items never change
};

}  // namespace

std::unique_ptr<ControlView> createListBoxView(ui::ListBox& control, QWidget& parent) {
    auto* list = new QListWidget(&parent);
    for (runtime::Int16 i{0}; i < control.ListCount(); i = i + runtime::Int16{1}) {
        list->addItem(toQString(control.List(i)));
    }
    return std::make_unique<ListBoxView>(*list);
}

}  // namespace temperament::qt
