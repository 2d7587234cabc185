// The label: its caption as plain text, aligned as designed.

#include "layers/qt/control_view.hpp"
#include "layers/qt/convert.hpp"

#include <QLabel>

namespace temperament::qt {
namespace {

Qt::Alignment toQt(ui::Alignment alignment) {
    switch (alignment) {
    case ui::Alignment::Left: return Qt::AlignLeft | Qt::AlignTop;
    case ui::Alignment::Right: return Qt::AlignRight | Qt::AlignTop;
    case ui::Alignment::Center: return Qt::AlignHCenter | Qt::AlignTop;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

class LabelView final : public ControlView {
public:
    explicit LabelView(QLabel& label) : ControlView(label) {}
    void refresh(ui::Property) override {}  // a label's caption is fixed
};

}  // namespace

std::unique_ptr<ControlView> createLabelView(ui::Label& control, QWidget& parent) {
    auto* label = new QLabel(&parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(toQString(control.Caption()));
    label->setAlignment(toQt(control.alignment()));
    label->setWordWrap(true);
    return std::make_unique<LabelView>(*label);
}

}  // namespace temperament::qt
