#include "app/form_load.hpp"

#include "ui/main_form.hpp"

namespace temperament::app {

using runtime::Int16;

void Form_Load(ui::MainForm& form) {
    form.Picture1().Visible(false);
    for (Int16 i = 0; i <= Int16{2}; i = i + Int16{1}) {
        form.Check1().Item(i).Visible(false);
        form.Check1().Item(i).Value(ui::CheckBox::Checked);  // runs Check1_Click(i) before returning
    }
}

}  // namespace temperament::app
