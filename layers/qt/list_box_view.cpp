// The list box: its items, as designed. The program's list boxes stay hidden
// (they hold the types the handlers read), so the list widget is made when the
// box is first shown; until then the box is an empty placeholder, which spares
// the start-up the item-view machinery (about 0.7 MiB of resident memory).

#include "layers/qt/control_view.hpp"
#include "layers/qt/convert.hpp"

#include <QListWidget>

namespace temperament::qt {
namespace {

class ListBoxView final : public ControlView {
public:
    ListBoxView(ui::ListBox& control, QWidget& box) : ControlView(box), control_(control), box_(box) {}

    // The items never change; only showing the box needs the list.
    void refresh(ui::Property property) override {
        if (property != ui::Property::Visible || !control_.Visible() || list_ != nullptr) return;
        list_ = new QListWidget(&box_);
        list_->setGeometry(box_.rect());
        for (runtime::Int16 i{0}; i < control_.ListCount(); i = i + runtime::Int16{1}) {
            list_->addItem(toQString(control_.List(i)));
        }
        box_.setFocusProxy(list_);
        list_->show();
    }

private:
    ui::ListBox& control_;
    QWidget& box_;
    QListWidget* list_ = nullptr;  // owned by box_
};

}  // namespace

std::unique_ptr<ControlView> createListBoxView(ui::ListBox& control, QWidget& parent) {
    return std::make_unique<ListBoxView>(control, *new QWidget(&parent));
}

}  // namespace temperament::qt
