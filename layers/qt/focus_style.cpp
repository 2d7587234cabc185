// The keyboard focus of a button, drawn as a solid frame round its caption in
// its text colour, which stands out from its background as the text does.
// Fusion's own is a faint tint of the highlight colour, about 1.2:1 on the
// design's orange. As Fusion, it shows only once the keyboard has moved the
// focus; otherwise the style draws what it draws.

#include "layers/qt/control_view.hpp"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>

namespace temperament::qt {
namespace {

class FocusFrameStyle final : public QProxyStyle {
public:
    // On a copy of the application's style (a proxy does not take the
    // application's own).
    FocusFrameStyle() : QProxyStyle(QApplication::style()->name()) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_FrameFocusRect || !option->state.testFlag(State_KeyboardFocusChange)) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(QPen(option->palette.color(QPalette::WindowText), 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
};

}  // namespace

void useFocusFrame(QAbstractButton& button) {
    auto* style = new FocusFrameStyle;
    style->setParent(&button);  // outlives the button's own use of it
    button.setStyle(style);
}

}  // namespace temperament::qt
