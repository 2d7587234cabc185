#pragma once
// Builds a project's start-up form from its embedded definition and binds the
// project's Click handlers to the groups they name.

#include "runtime/project_description.hpp"

#include <memory>

namespace temperament::ui {

class MainForm;

// Throws DesignDataError for malformed design data, std::runtime_error when
// the definition is missing or a handler names no group.
[[nodiscard]] std::shared_ptr<MainForm> createStartupForm(const runtime::ProjectDescription& project);

}  // namespace temperament::ui
