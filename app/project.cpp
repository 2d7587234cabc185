#include "app/project.hpp"

#include "app/form_load.hpp"
#include "logic/handlers.hpp"
#include "ui/startup_form.hpp"

namespace temperament::app {

runtime::ProjectDescription describeProject() {
    return {
        .name = "Temperament",
        .startupForm = "MainForm",
        .designData = runtime::embeddedFiles(),
        .createForm = ui::createStartupForm,
        .formLoad = Form_Load,
        .clickHandlers = {{"Option1", logic::Option1_Click}, {"Check1", logic::Check1_Click}},
    };
}

}  // namespace temperament::app
