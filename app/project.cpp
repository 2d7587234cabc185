#include "app/project.hpp"

#include "app/form_load.hpp"
#include "logic/handlers.hpp"

namespace temperament::app {

runtime::ProjectDescription describeProject() {
    return {
        .name = "Temperament",
        .startupForm = "MainForm",
        .designData = ui::embeddedFiles(),
        .formLoad = Form_Load,
        .clickHandlers = {{"Option1", logic::Option1_Click}, {"Check1", logic::Check1_Click}},
    };
}

}  // namespace temperament::app
