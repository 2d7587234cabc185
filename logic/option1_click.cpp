#include "logic/handlers.hpp"

#include "ui/main_form.hpp"

namespace temperament::logic {

using runtime::Int16;

void Option1_Click(ui::MainForm& form, Int16 Index) {
    const std::string lineBreak = "\r\n";
    form.Picture1().Visible(false);

    const Int16 count = form.List1().Item(Index).ListCount();
    const Int16 last = count - Int16{1};

    form.Text1().Item(0).Text("Класификация според " + form.Option1().Item(Index).Caption() + ":" + lineBreak);
    for (Int16 j = 0; j <= last; j = j + Int16{1}) {
        form.Text1().Item(0).Text(form.Text1().Item(0).Text() + form.List1().Item(Index).List(j) + lineBreak);
    }

    if (Index == Int16{0}) form.Picture1().Visible(true);

    for (Int16 k = 0; k <= Int16{2}; k = k + Int16{1}) {
        form.Check1().Item(k).Visible(Index == Int16{2});
    }
}

}  // namespace temperament::logic
