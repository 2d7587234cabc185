#include "layers/qt/control_view.hpp"

#include "layers/qt/convert.hpp"

#include <QPalette>

namespace temperament::qt {
namespace {

std::unique_ptr<ControlView> createKindView(ui::Control& control, QWidget& parent, const UserClick& clicked) {
    return ui::visit(control,
                     ui::Overloaded{
                         [&](ui::PictureBox& box) { return createPictureBoxView(box, parent); },
                         [&](ui::Label& label) { return createLabelView(label, parent); },
                         [&](ui::TextBox& box) { return createTextBoxView(box, parent); },
                         [&](ui::CheckBox& box) { return createCheckBoxView(box, parent, clicked); },
                         [&](ui::OptionButton& option) { return createOptionButtonView(option, parent, clicked); },
                         [&](ui::ListBox& list) { return createListBoxView(list, parent); },
                     });
}

}  // namespace

std::unique_ptr<ControlView> createView(ui::Control& control, QWidget& parent, const UserClick& clicked) {
    std::unique_ptr<ControlView> view = createKindView(control, parent, clicked);
    QWidget& widget = view->widget();
    widget.setObjectName(toQString(control.memberName()));
    widget.setGeometry(toPixels(control.bounds()));
    if (const auto colour = control.backColor()) {
        QPalette palette = widget.palette();
        palette.setColor(QPalette::Window, toQColor(*colour));
        palette.setColor(QPalette::Button, toQColor(*colour));
        widget.setPalette(palette);
        widget.setAutoFillBackground(true);
    }
    if (!control.accessibleName().empty()) widget.setAccessibleName(toQString(control.accessibleName()));
    widget.setVisible(control.Visible());
    return view;
}

}  // namespace temperament::qt
