#pragma once
// The record that the program hands to the run-time's start routine: the
// project's name, its one form with the design data that defines it, and
// the form's event handlers.

#include "runtime/int16.hpp"
#include "ui/embedded_files.hpp"

#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace temperament::ui {
class MainForm;
}

namespace temperament::runtime {

using LoadHandler = std::function<void(ui::MainForm& form)>;
using ClickHandler = std::function<void(ui::MainForm& form, Int16 index)>;

struct ClickBinding {
    std::string_view group;  // e.g. "Option1"
    ClickHandler handler;
};

struct ProjectDescription {
    std::string_view name;
    // The start-up form; its definition is the embedded file "<startupForm>.form".
    std::string_view startupForm;
    std::span<const ui::EmbeddedFile> designData;
    LoadHandler formLoad;
    std::vector<ClickBinding> clickHandlers;
};

}  // namespace temperament::runtime
