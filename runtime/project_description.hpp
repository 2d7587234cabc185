#pragma once
// The record that the program hands to the run-time's start routine: the
// project's name, its one form with the design data that defines it and the
// way to build it, and the form's event handlers. The run-time passes the form
// on without looking into it.

#include "runtime/embedded_files.hpp"
#include "runtime/int16.hpp"

#include <functional>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace temperament::ui {
class MainForm;
}

namespace temperament::runtime {

struct ProjectDescription;

using LoadHandler = std::function<void(ui::MainForm& form)>;
using ClickHandler = std::function<void(ui::MainForm& form, Int16 index)>;
// Builds the start-up form from the project's design data with its Click
// handlers bound; throws what is wrong with the data.
using FormFactory = std::shared_ptr<ui::MainForm> (*)(const ProjectDescription& project);

struct ClickBinding {
    std::string_view group;  // e.g. "Option1"
    ClickHandler handler;
};

struct ProjectDescription {
    std::string_view name;
    // The start-up form; its definition is the embedded file "<startupForm>.form".
    std::string_view startupForm;
    std::span<const EmbeddedFile> designData;
    FormFactory createForm = nullptr;
    LoadHandler formLoad;
    std::vector<ClickBinding> clickHandlers;
};

}  // namespace temperament::runtime
