#include "layers/qt/control_view.hpp"

#include "layers/qt/convert.hpp"

#include <QPalette>

namespace temperament::qt {
namespace {

std::unique_ptr<ControlView> createKindView(ui::Control& control, QWidget& parent, const UserClick& clicked) {
    switch (control.kind()) {
    case ui::ControlKind::PictureBox: return createPictureBoxView(static_cast<ui::PictureBox&>(control), parent);
    case ui::ControlKind::Label: return createLabelView(static_cast<ui::Label&>(control), parent);
    case ui::ControlKind::TextBox: return createTextBoxView(static_cast<ui::TextBox&>(control), parent);
    case ui::ControlKind::CheckBox: return createCheckBoxView(static_cast<ui::CheckBox&>(control), parent, clicked);
    case ui::ControlKind::OptionButton:
        return createOptionButtonView(static_cast<ui::OptionButton&>(control), parent, clicked);
    case ui::ControlKind::ListBox: return createListBoxView(static_cast<ui::ListBox&>(control), parent);
    }
    throw std::logic_error("no view for the kind of " + control.memberName());
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
