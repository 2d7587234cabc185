// A button's own style, on a copy of the application's: what the style draws
// faintly is drawn in the button's text colour, which stands out from its
// background as the text does. Its keyboard focus is a solid frame round the
// caption, in place of Fusion's tint of the highlight colour (about 1.2:1 on
// the design's orange); as with Fusion, only once the keyboard has moved the
// focus. And while the button takes the system's colours, its check mark's
// ring or box is traced too: Fusion draws it a shade darker than the
// background, which on black is black.

#include "layers/qt/control_view.hpp"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>

namespace temperament::qt {
namespace {

class ButtonStyle final : public QProxyStyle {
public:
    // A proxy does not take the application's own style.
    ButtonStyle() : QProxyStyle(QApplication::style()->name()) {}

    void traceCheckMark(bool traced) noexcept { traced_ = traced; }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        const bool focus = element == PE_FrameFocusRect && option->state.testFlag(State_KeyboardFocusChange);
        if (!focus) QProxyStyle::drawPrimitive(element, option, painter, widget);
        const bool mark = traced_ && (element == PE_IndicatorRadioButton || element == PE_IndicatorCheckBox);
        if (!focus && !mark) return;
        painter->save();
        painter->setPen(QPen(option->palette.color(QPalette::WindowText), 1));
        painter->setBrush(Qt::NoBrush);
        if (element == PE_IndicatorRadioButton) {
            painter->setRenderHint(QPainter::Antialiasing, true);
            painter->drawEllipse(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5));
        } else {
            painter->setRenderHint(QPainter::Antialiasing, false);
            painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        }
        painter->restore();
    }

private:
    bool traced_ = false;
};

}  // namespace

void useButtonStyle(QAbstractButton& button) {
    auto* style = new ButtonStyle;
    style->setParent(&button);  // outlives the button's own use of it
    button.setStyle(style);
}

void traceCheckMark(QAbstractButton& button, bool traced) {
    if (auto* style = dynamic_cast<ButtonStyle*>(button.style())) style->traceCheckMark(traced);
}

}  // namespace temperament::qt
