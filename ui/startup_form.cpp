#include "ui/startup_form.hpp"

#include "ui/design_reader.hpp"
#include "ui/main_form.hpp"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace temperament::ui {

std::shared_ptr<MainForm> createStartupForm(const runtime::ProjectDescription& project) {
    const std::string fileName = std::string(project.startupForm) + ".form";
    const auto& files = project.designData;
    const auto definition =
        std::find_if(files.begin(), files.end(), [&](const EmbeddedFile& file) { return file.name == fileName; });
    if (definition == files.end()) throw std::runtime_error("no window definition " + fileName + " in the program");
    FormDesign design = readFormDesign(definition->bytes, files);
    if (design.name != project.startupForm) {
        throw DesignDataError(design.line,
                              "the form is named " + design.name + ", not " + std::string(project.startupForm));
    }
    auto form = std::make_shared<MainForm>(std::move(design));
    for (const runtime::ClickBinding& binding : project.clickHandlers) {
        ControlGroupBase* group = form->group(binding.group);
        if (group == nullptr) throw std::runtime_error("a Click handler names no group: " + std::string(binding.group));
        group->onClick([&form = *form, handler = binding.handler](Int16 index) { handler(form, index); });
    }
    return form;
}

}  // namespace temperament::ui
