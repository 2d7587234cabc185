#include "session.hpp"

#include "ui/main_form.hpp"

#include <gtest/gtest.h>

#include <iostream>

namespace temperament::wintest {

Session::Session(runtime::ProjectDescription project) : project_(std::move(project)) {
    project_.formLoad = [this, load = project_.formLoad](ui::MainForm& form) {
        form_ = &form;
        if (load) load(form);
    };
    for (runtime::ClickBinding& binding : project_.clickHandlers) {
        binding.handler = [this, name = std::string(binding.group), inner = binding.handler](ui::MainForm& form,
                                                                                             runtime::Int16 index) {
            if (recording_) clicks_.push_back(name + "(" + std::to_string(index.value()) + ")");
            inner(form, index);
        };
    }
}

int Session::run(const Script& script) {
    win32::Layer layer([&](win32::Window& window) {
        recording_ = true;
        try {
            script(window, *form_);
        } catch (const std::exception& error) {
            ADD_FAILURE() << "the script stopped: " << error.what();
        }
        if (IsWindow(window.handle())) SendMessageW(window.handle(), WM_CLOSE, 0, 0);
    });
    const int status = runtime::run(project_, layer);
    // What the program reported tells why a status is not 0.
    if (status != 0) {
        for (const MessageBoxCloser::Box& box : boxes_.boxes()) std::cerr << box.title << ": " << box.text << '\n';
    }
    return status;
}

}  // namespace temperament::wintest
