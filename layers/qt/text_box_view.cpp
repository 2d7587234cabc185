// The text box: multi-line text wrapping at the box's width, with the designed
// scroll bars. A locked box is read-only, but its text can still be selected,
// copied and scrolled with mouse and keyboard.

#include "layers/qt/control_view.hpp"
#include "layers/qt/convert.hpp"

#include <QPlainTextEdit>

namespace temperament::qt {
namespace {

Qt::ScrollBarPolicy policy(bool shown) { return shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff; }

class TextBoxView final : public ControlView {
public:
    TextBoxView(ui::TextBox& control, QPlainTextEdit& edit) : ControlView(edit), control_(control), edit_(edit) {
        refresh(ui::Property::Text);
    }

    void refresh(ui::Property property) override {
        if (property == ui::Property::Text) edit_.setPlainText(toDisplayText(control_.Text()));
    }

private:
    ui::TextBox& control_;
    QPlainTextEdit& edit_;
};

}  // namespace

std::unique_ptr<ControlView> createTextBoxView(ui::TextBox& control, QWidget& parent) {
    auto* edit = new QPlainTextEdit(&parent);
    edit->setLineWrapMode(control.multiLine() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    const ui::ScrollBars bars = control.scrollBars();
    edit->setVerticalScrollBarPolicy(policy(bars == ui::ScrollBars::Vertical || bars == ui::ScrollBars::Both));
    edit->setHorizontalScrollBarPolicy(policy(bars == ui::ScrollBars::Horizontal || bars == ui::ScrollBars::Both));
    edit->setTabChangesFocus(true);
    if (control.locked()) {
        edit->setReadOnly(true);
        edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
    return std::make_unique<TextBoxView>(control, *edit);
}

}  // namespace temperament::qt
