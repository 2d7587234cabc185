// The check box. Its state is the model's: a click or Space does not toggle
// the widget itself but tells the window, which has the model toggle the
// box; the new Value then comes back here. So a value the program sets is
// shown without being taken for a user's click.

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
    }

    void refresh(ui::Property property) override {
        if (property == ui::Property::Caption) box_.setText(toButtonCaption(control_.Caption()));
        if (property == ui::Property::Value) box_.setCheckState(toQt(control_.Value()));
    }

private:
    ui::CheckBox& control_;
    QCheckBox& box_;
};

}  // namespace

std::unique_ptr<ControlView> createCheckBoxView(ui::CheckBox& control, QWidget& parent, const UserClick& clicked) {
    auto* box = new ModelButton<QCheckBox>([&control, clicked] { clicked(control); }, &parent);
    box->setTristate(true);  // the model may set Value 2, grayed
    return std::make_unique<CheckBoxView>(control, *box);
}

}  // namespace temperament::qt
