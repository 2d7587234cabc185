#pragma once

#include "runtime/project_description.hpp"

namespace temperament::app {

// The program's project description: MainForm from the embedded design data,
// with Form_Load, Option1_Click and Check1_Click.
[[nodiscard]] runtime::ProjectDescription describeProject();

}  // namespace temperament::app
