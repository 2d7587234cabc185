// The text box: multi-line text wrapping at the box's width, with the designed
// scroll bars. A locked box is read-only, but its text can still be selected,
// copied and scrolled with mouse and keyboard. Its text is the model's: an
// edit that bypasses read-only (Qt's accessible editable-text interface edits
// the document itself) is undone once it returns.

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
        undo_ = QObject::connect(&edit_, &QPlainTextEdit::textChanged, [this] {
            if (showing_) return;
            // Later: the document is not to be replaced in the middle of an edit.
            QMetaObject::invokeMethod(
                &edit_,
                [this] {
                    if (edit_.toPlainText() != shown_) refresh(ui::Property::Text);
                },
                Qt::QueuedConnection);
        });
    }
    ~TextBoxView() override { QObject::disconnect(undo_); }
    TextBoxView(const TextBoxView&) = delete;
    TextBoxView& operator=(const TextBoxView&) = delete;

    void refresh(ui::Property property) override {
        if (property != ui::Property::Text) return;
        showing_ = true;
        edit_.setPlainText(toDisplayText(control_.Text()));
        showing_ = false;
        shown_ = edit_.toPlainText();
    }

private:
    ui::TextBox& control_;
    QPlainTextEdit& edit_;
    QString shown_;  // the text as the document holds it
    QMetaObject::Connection undo_;
    bool showing_ = false;
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
