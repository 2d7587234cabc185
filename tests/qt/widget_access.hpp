#pragma once
// How the Qt tests reach a control's widget and click it as a user would.

#include "layers/qt/window.hpp"
#include "ui/control_model.hpp"

#include <QAbstractButton>
#include <QtTest>

#include <stdexcept>

namespace temperament::test_support {

// The widget that shows `control`, as the kind the test expects.
template <class Widget>
Widget& widget(const qt::Window& window, const ui::Control& control) {
    auto* found = qobject_cast<Widget*>(&window.widgetOf(control));
    if (found == nullptr) throw std::logic_error(control.memberName() + " has another kind of widget");
    return *found;
}

// Clicks the button's indicator, where a user aims.
inline void click(QAbstractButton& button) {
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(8, button.height() / 2));
}

}  // namespace temperament::test_support
