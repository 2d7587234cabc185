#include "layers/qt/control_view.hpp"

#include "layers/qt/convert.hpp"

#include "ui/contrast.hpp"

#include <QApplication>
#include <QPalette>

namespace temperament::qt {
namespace {

// The system's pair for `widget` in these roles of the platform's palette,
// and the pair the rule paints it with.
ui::ColourPair chosenPair(const QWidget& widget, std::optional<ui::Colour> designed, QPalette::ColorRole text,
                          QPalette::ColorRole background) {
    const QPalette system = QApplication::palette(&widget);
    // Qt 6.4 tells no contrast preference: the palette itself is the signal.
    return ui::paintedPair(designed, {{toBgr(system.color(text)), toBgr(system.color(background))}, false});
}

void setPair(QPalette& palette, const ui::ColourPair& pair, QPalette::ColorRole text, QPalette::ColorRole background) {
    palette.setColor(text, toQColor(pair.text));
    palette.setColor(background, toQColor(pair.background));
}

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
    paintColours(widget, control);
    if (control.backColor()) widget.setAutoFillBackground(true);
    if (!control.accessibleName().empty()) widget.setAccessibleName(toQString(control.accessibleName()));
    widget.setVisible(control.Visible());
    return view;
}

void paintColours(QWidget& widget, const ui::Control& control) {
    QPalette palette = widget.palette();
    if (control.kind() == ui::ControlKind::TextBox) {
        setPair(palette, chosenPair(widget, control.backColor(), QPalette::Text, QPalette::Base), QPalette::Text,
                QPalette::Base);
    } else if (const auto designed = control.backColor()) {
        const ui::ColourPair pair = chosenPair(widget, designed, QPalette::WindowText, QPalette::Window);
        setPair(palette, pair, QPalette::WindowText, QPalette::Window);
        setPair(palette, pair, QPalette::ButtonText, QPalette::Button);  // a button's own parts
        if (auto* button = qobject_cast<QAbstractButton*>(&widget))
            traceCheckMark(*button, pair.background != designed);
    } else {
        return;
    }
    widget.setPalette(palette);
}

void paintColours(QWidget& window, std::uint32_t designed) {
    QPalette palette = window.palette();
    setPair(palette, chosenPair(window, designed, QPalette::WindowText, QPalette::Window), QPalette::WindowText,
            QPalette::Window);
    window.setPalette(palette);
}

}  // namespace temperament::qt
