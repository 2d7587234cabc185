#pragma once
// The Click handlers of the option buttons and the property boxes. They read
// names and types from the controls and keep no state of their own.

#include "runtime/int16.hpp"

namespace temperament::ui {
class MainForm;
}

namespace temperament::logic {

// The user chose classification Index (0 Hippocrates, 1 Jung, 2 Pavlov):
// write its heading and types, show the picture for Hippocrates only and the
// property boxes for Pavlov only.
void Option1_Click(ui::MainForm& form, runtime::Int16 Index);

// Property box Index was toggled: rename it after its state and show or hide
// the boxes that the state makes meaningful or meaningless.
void Check1_Click(ui::MainForm& form, runtime::Int16 Index);

}  // namespace temperament::logic
