#include "runtime/start.hpp"

#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace temperament::runtime {

int run(const ProjectDescription& project, WindowingLayer& layer) {
    std::shared_ptr<ui::MainForm> form;
    try {
        if (project.createForm == nullptr) throw std::logic_error("the project description builds no form");
        form = project.createForm(project);
    } catch (const std::exception& error) {
        layer.reporter().report(error.what());
        return failureStatus;
    }
    Dispatcher dispatcher(layer.reporter());
    if (dispatcher.load([&] {
            if (project.formLoad) project.formLoad(*form);
        }) == Continuation::Ended) {
        return dispatcher.exitStatus();
    }
    try {
        return layer.run(*form, dispatcher);
    } catch (const std::exception& error) {
        layer.reporter().report(error.what());
        return failureStatus;
    }
}

void start(const ProjectDescription& project, LayerFactory createLayer) {
    int status = failureStatus;
    {
        const std::unique_ptr<WindowingLayer> layer = createLayer();
        status = run(project, *layer);
    }
    std::exit(status);
}

}  // namespace temperament::runtime
