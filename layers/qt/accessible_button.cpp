// The accessible interface of the option buttons and check boxes. Qt's own
// (QAccessibleButton) performs "Toggle" with QAbstractButton::toggle(), which
// changes the widget without a click: the model would never hear of it. Here
// every action an assistive technology may call clicks the button, which
// (ModelButton) leaves its state alone and tells the window; what the model
// then holds comes back through the view. Name, role and states are the ones
// Qt's interface reports. A new name is told to screen readers in a form they
// can speak.

#include "layers/qt/control_view.hpp"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QRadioButton>

namespace temperament::qt {
namespace {

// The caption as read: "&&" is a literal ampersand, a single "&" marks a mnemonic.
QString withoutMnemonic(const QString& caption) {
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && ++i == caption.size()) break;
        text += caption[i];
    }
    return text;
}

class AccessibleButton final : public QAccessibleWidget {
public:
    // The role by class: an option button is not auto-exclusive for a moment
    // while the view shows the model's choice.
    explicit AccessibleButton(QAbstractButton& button)
        : QAccessibleWidget(&button, qobject_cast<QRadioButton*>(&button) != nullptr ? QAccessible::RadioButton
                                                                                     : QAccessible::CheckBox) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) return withoutMnemonic(button().text());
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        const auto* box = qobject_cast<const QCheckBox*>(&button());
        if (box != nullptr && box->checkState() == Qt::PartiallyChecked)
            state.checkStateMixed = true;
        else
            state.checked = button().isChecked();
        state.pressed = button().isDown();
        return state;
    }

    // Both names, so whichever an assistive technology calls is a click; a
    // hidden or disabled button offers neither.
    QStringList actionNames() const override {
        QStringList names;
        if (clickable()) names << toggleAction() << pressAction();
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& name) override {
        if (name == toggleAction() || name == pressAction()) {
            // A click like any other: a disabled button takes none, and the
            // model ignores one on a hidden control.
            button().click();
            return;
        }
        QAccessibleWidget::doAction(name);
    }

    QStringList keyBindingsForAction(const QString& name) const override {
        if (name == toggleAction() || name == pressAction()) return {QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(name);
    }

private:
    [[nodiscard]] QAbstractButton& button() const { return *static_cast<QAbstractButton*>(widget()); }
    [[nodiscard]] bool clickable() const { return button().isVisible() && button().isEnabled(); }
};

QAccessibleInterface* accessibleButton(const QString&, QObject* object) {
    auto* button = qobject_cast<QAbstractButton*>(object);
    if (button == nullptr || dynamic_cast<UserButton*>(button) == nullptr) return nullptr;
    return new AccessibleButton(*button);
}

}  // namespace

void installAccessibleButtons() { QAccessible::installFactory(accessibleButton); }

void announceNewName(QAbstractButton& button) {
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    // Qt's AT-SPI bridge sends object:property-change:accessible-name with a
    // reference to the object where the new name belongs, which Orca cannot
    // speak: after Space on a property box a screen-reader user heard its new
    // state but never its new caption. This is the event as AT-SPI defines
    // it, sent on the bridge's own connection (Qt names it "a11y") from the
    // bridge's path of the object, so it comes from the same object.
    if (!QAccessible::isActive()) return;
    const QDBusConnection bridge(QStringLiteral("a11y"));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&button);
    if (!bridge.isConnected() || accessible == nullptr) return;
    const QString path = QStringLiteral("/org/a11y/atspi/accessible/%1").arg(QAccessible::uniqueId(accessible));
    QDBusMessage event = QDBusMessage::createSignal(path, QStringLiteral("org.a11y.atspi.Event.Object"),
                                                    QStringLiteral("PropertyChange"));
    event << QStringLiteral("accessible-name") << 0 << 0
          << QVariant::fromValue(QDBusVariant(accessible->text(QAccessible::Name))) << QVariantMap();
    if (!bridge.send(event)) qWarning("the new name of a button could not be sent to the accessibility bus");
#else
    (void)button;  // Qt sends the name itself
#endif
}

}  // namespace temperament::qt
