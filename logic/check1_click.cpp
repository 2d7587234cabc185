#include "logic/handlers.hpp"

#include "ui/main_form.hpp"

namespace temperament::logic {

using ui::CheckBox;

void Check1_Click(ui::MainForm& form, runtime::Int16 Index) {
    switch (Index.value()) {
    case 0:  // strength
        if (form.Check1().Item(0).Value() == CheckBox::Checked) {
            form.Check1().Item(0).Caption("Силен");
            form.Check1().Item(1).Visible(true);
            if (form.Check1().Item(1).Value() == CheckBox::Checked) form.Check1().Item(2).Visible(true);
        } else {
            form.Check1().Item(0).Caption("Слаб");
            form.Check1().Item(1).Visible(false);
            form.Check1().Item(2).Visible(false);
        }
        break;
    case 1:  // balance, meaningful for a strong system only
        if (form.Check1().Item(1).Value() == CheckBox::Checked) {
            form.Check1().Item(1).Caption("Уравновесен");
            form.Check1().Item(2).Visible(true);
        } else {
            form.Check1().Item(1).Caption("Неуравновесен");
            form.Check1().Item(2).Visible(false);
        }
        break;
    case 2:  // mobility, meaningful for a balanced system only
        if (form.Check1().Item(2).Value() == CheckBox::Checked) {
            form.Check1().Item(2).Caption("подвижен");
        } else {
            form.Check1().Item(2).Caption("бавен");
        }
        break;
    default: break;
    }
}

}  // namespace temperament::logic
