#include "layers/qt/window.hpp"

#include "layers/qt/convert.hpp"

#include <QApplication>
#include <QKeyEvent>
#include <QPixmap>
#include <QScreen>

#include <stdexcept>

namespace temperament::qt {
namespace {

QFont toQFont(const ui::FontDesign& design) {
    QFont font(toQString(design.name));
    font.setPointSize(design.points);
    font.setWeight(static_cast<QFont::Weight>(design.weight));
    font.setItalic(design.italic);
    font.setUnderline(design.underline);
    font.setStrikeOut(design.strikethrough);
    return font;
}

// The window icon is an icon file; naming its format spares Qt probing the
// other image plugins.
QIcon toQIcon(std::span<const unsigned char> bytes) {
    QPixmap icon;
    if (!bytes.empty() && !icon.loadFromData(bytes.data(), static_cast<uint>(bytes.size()), "ICO")) {
        throw std::runtime_error("the window's icon cannot be decoded");
    }
    return {icon};
}

bool takesFocus(const ui::Control& control) { return ui::takesFocus(control.kind()); }

}  // namespace

Window::Window(ui::MainForm& form, runtime::Dispatcher& dispatcher) : form_(form), user_(form, dispatcher) {
    installAccessibleWindow();
    setWindowTitle(toQString(form.Caption()));
    setWindowIcon(toQIcon(form.icon()));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setFixedSize(toPixels(form.clientWidth()), toPixels(form.clientHeight()));
    paintColours(*this, form.backColor());
    setAutoFillBackground(true);
    setFont(toQFont(form.font()));

    installAccessibleButtons();
    const UserClick clicked = [this](ui::Control& control) { userClicked(control); };
    for (ui::Control* control : form.controls()) {
        std::unique_ptr<ControlView> view = createView(*control, *this, clicked);
        if (!takesFocus(*control)) view->widget().setFocusPolicy(Qt::NoFocus);
        views_.emplace(control, std::move(view));
    }
    chainTabOrder();
    form_.subscribe(*this);
}

Window::~Window() { form_.unsubscribe(*this); }

QWidget& Window::widgetOf(const ui::Control& control) const { return viewOf(control).widget(); }

ControlView& Window::viewOf(const ui::Control& control) const {
    const auto view = views_.find(&control);
    if (view == views_.end()) throw std::logic_error("no widget shows " + control.memberName());
    return *view->second;
}

void Window::showCentred() {
    QRect frame = frameGeometry();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
    focusFirstControl();
    show();
}

void Window::changed(std::span<const ui::Change> changes) {
    for (const auto& [control, property] : changes) {
        ControlView& view = viewOf(*control);
        view.refresh(property);  // before showing, so a control is shown ready
        if (property == ui::Property::Visible) view.widget().setVisible(control->Visible());
    }
}

void Window::userClicked(ui::Control& control) {
    if (user_.clicked(control) == runtime::Continuation::Running) return;
    // The run-time has reported an error that ends the program.
    QCoreApplication::exit(user_.exitStatus());
    hide();
}

bool Window::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::ApplicationPaletteChange) paintAllColours();
    return handled;
}

void Window::paintAllColours() {
    paintColours(*this, form_.backColor());
    for (const auto& [control, view] : views_) paintColours(view->widget(), *control);
}

bool Window::focusNextPrevChild(bool next) {
    ui::Control* stop = form_.nextTabStop(focusedControl(), !next);
    if (stop == nullptr) return false;
    widgetOf(*stop).setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void Window::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    ui::Control* focused = focusedControl();
    auto* option = focused != nullptr ? ui::as<ui::OptionButton>(*focused) : nullptr;
    if (!isArrowKey(key) || option == nullptr) {
        QWidget::keyPressEvent(event);
        return;
    }
    // The arrows move the choice round the option buttons, one Click each.
    ui::OptionButton& next = form_.neighbour(*option, key == Qt::Key_Up || key == Qt::Key_Left);
    widgetOf(next).setFocus(Qt::OtherFocusReason);
    userClicked(next);
}

ui::Control* Window::focusedControl() const {
    const QWidget* focused = QApplication::focusWidget();
    for (ui::Control* control : form_.controls()) {
        if (&widgetOf(*control) == focused) return control;
    }
    return nullptr;
}

void Window::chainTabOrder() {
    QWidget* previous = nullptr;
    for (const ui::Control* control : form_.tabOrder()) {
        if (!takesFocus(*control)) continue;
        QWidget* next = &widgetOf(*control);
        if (previous != nullptr) setTabOrder(previous, next);
        previous = next;
    }
}

void Window::focusFirstControl() {
    for (const ui::Control* control : form_.tabOrder()) {
        if (takesFocus(*control) && control->Visible()) {
            widgetOf(*control).setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

}  // namespace temperament::qt
