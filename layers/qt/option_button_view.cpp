// The option button. As with the check box, the selection is the model's: a
// click or Space tells the window, and the model's new selection comes back
// here. The arrow keys are left to the window, which moves the choice round
// the group. Whatever else checks or unchecks the widget (a call to
// toggle() or setChecked(), an exclusive group) is undone at once.

#include "layers/qt/control_view.hpp"
#include "layers/qt/convert.hpp"

#include <QRadioButton>

namespace temperament::qt {
namespace {

class OptionButtonView final : public ControlView {
public:
    OptionButtonView(ui::OptionButton& control, QRadioButton& button)
        : ControlView(button), control_(control), button_(button) {
        button_.setText(toButtonCaption(control_.Caption()));
        refresh(ui::Property::Value);
        undo_ = QObject::connect(&button_, &QRadioButton::toggled, [this] {
            if (!showing_) refresh(ui::Property::Value);
        });
    }
    ~OptionButtonView() override { QObject::disconnect(undo_); }
    OptionButtonView(const OptionButtonView&) = delete;
    OptionButtonView& operator=(const OptionButtonView&) = delete;

    void refresh(ui::Property property) override {
        if (property != ui::Property::Value || showing_) return;
        showing_ = true;
        // An exclusive group keeps its checked button until another is
        // checked; the model selects the new button next.
        button_.setAutoExclusive(false);
        button_.setChecked(control_.Value());
        button_.setAutoExclusive(true);
        showing_ = false;
    }

private:
    ui::OptionButton& control_;
    QRadioButton& button_;
    QMetaObject::Connection undo_;
    bool showing_ = false;
};

}  // namespace

std::unique_ptr<ControlView> createOptionButtonView(ui::OptionButton& control, QWidget& parent,
                                                    const UserClick& clicked) {
    auto* button = new ModelButton<QRadioButton>([&control, clicked] { clicked(control); }, &parent);
    return std::make_unique<OptionButtonView>(control, *button);
}

}  // namespace temperament::qt
