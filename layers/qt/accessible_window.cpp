// The accessible interface of the program's window. Qt gives a plain QWidget
// the client role, which AT-SPI presents as a "filler" inside nothing; the
// window is the application's frame, named by its title.

#include "layers/qt/window.hpp"

#include <QAccessibleWidget>

namespace temperament::qt {
namespace {

QAccessibleInterface* accessibleWindow(const QString&, QObject* object) {
    auto* window = dynamic_cast<Window*>(object);
    if (window == nullptr) return nullptr;
    return new QAccessibleWidget(window, QAccessible::Window);
}

}  // namespace

void installAccessibleWindow() { QAccessible::installFactory(accessibleWindow); }

}  // namespace temperament::qt
