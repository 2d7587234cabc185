// The check box. Its state is the model's: a click or Space does not toggle
// the widget itself but tells the window, which has the model toggle the
// box; the new Value then comes back here. So a value the program sets is
// shown without being taken for a user's click. Whatever else changes the
// widget's state (a call to toggle() or setCheckState()) is undone at once.

#include "layers/qt/control_view.hpp"
#include "layers/qt/convert.hpp"

#include <QCheckBox>

namespace temperament::qt {
namespace {

Qt::CheckState toQt(runtime::Int16 value) {
    if (value == ui::CheckBox::Checked) return Qt::Checked;
    if (value == ui::CheckBox::Grayed) return Qt::PartiallyChecked;
    return Qt::Unchecked;
}

class CheckBoxView final : public ControlView {
public:
    CheckBoxView(ui::CheckBox& control, QCheckBox& box) : ControlView(box), control_(control), box_(box) {
        refresh(ui::Property::Caption);
        refresh(ui::Property::Value);
        undo_ = QObject::connect(&box_, &QCheckBox::stateChanged, [this] {
            if (!showing_) refresh(ui::Property::Value);
        });
    }
    ~CheckBoxView() override { QObject::disconnect(undo_); }
    CheckBoxView(const CheckBoxView&) = delete;
    CheckBoxView& operator=(const CheckBoxView&) = delete;

    void refresh(ui::Property property) override {
        if (property == ui::Property::Caption) {
            box_.setText(toButtonCaption(control_.Caption()));
            announceNewName(box_);
        }
        if (property != ui::Property::Value || showing_) return;
        showing_ = true;
        box_.setCheckState(toQt(control_.Value()));
        showing_ = false;
    }

private:
    ui::CheckBox& control_;
    QCheckBox& box_;
    QMetaObject::Connection undo_;
    bool showing_ = false;
};

}  // namespace

std::unique_ptr<ControlView> createCheckBoxView(ui::CheckBox& control, QWidget& parent, const UserClick& clicked) {
    auto* box = new ModelButton<QCheckBox>([&control, clicked] { clicked(control); }, &parent);
    box->setTristate(true);  // the model may set Value 2, grayed
    return std::make_unique<CheckBoxView>(control, *box);
}

}  // namespace temperament::qt
