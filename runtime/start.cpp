#include "runtime/start.hpp"

#include "ui/design_reader.hpp"
#include "ui/main_form.hpp"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

namespace temperament::runtime {
namespace {

std::unique_ptr<ui::MainForm> createForm(const ProjectDescription& project) {
    const std::string fileName = std::string(project.startupForm) + ".form";
    const auto& files = project.designData;
    const auto definition =
        std::find_if(files.begin(), files.end(), [&](const ui::EmbeddedFile& file) { return file.name == fileName; });
    if (definition == files.end()) throw std::runtime_error("no window definition " + fileName + " in the program");
    ui::FormDesign design = ui::readFormDesign(definition->bytes, files);
    if (design.name != project.startupForm) {
        throw ui::DesignDataError(design.line,
                                  "the form is named " + design.name + ", not " + std::string(project.startupForm));
    }
    auto form = std::make_unique<ui::MainForm>(std::move(design));
    for (const ClickBinding& binding : project.clickHandlers) {
        ui::ControlGroupBase* group = form->group(binding.group);
        if (group == nullptr) throw std::runtime_error("a Click handler names no group: " + std::string(binding.group));
        group->onClick([&form = *form, handler = binding.handler](Int16 index) { handler(form, index); });
    }
    return form;
}

}  // namespace

int run(const ProjectDescription& project, WindowingLayer& layer) {
    std::unique_ptr<ui::MainForm> form;
    try {
        form = createForm(project);
    } catch (const std::exception& error) {
        layer.reporter().report(error.what());
        return failureStatus;
    }
    Dispatcher dispatcher(*form, layer.reporter());
    if (dispatcher.load(project.formLoad) == Continuation::Ended) return dispatcher.exitStatus();
    try {
        return layer.run(*form, dispatcher);
    } catch (const std::exception& error) {
        layer.reporter().report(error.what());
        return failureStatus;
    }
}

void start(const ProjectDescription& project, WindowingLayer& layer) { std::exit(run(project, layer)); }

void start(const ProjectDescription& project, LayerFactory createLayer) {
    int status = failureStatus;
    {
        const std::unique_ptr<WindowingLayer> layer = createLayer();
        status = run(project, *layer);
    }
    std::exit(status);
}

}  // namespace temperament::runtime
