#pragma once
// Records, in order, the handlers entered and left and every property change,
// e.g. "Check1_Click(0) {", "Check1(0).Caption = Силен", "}".

#include "runtime/project_description.hpp"
#include "ui/main_form.hpp"

#include <string>
#include <vector>

namespace temperament::test_support {

class EventLog final : public ui::FormObserver {
public:
    void propertyChanged(const ui::Control& control, ui::Property property) override;

    // The project description with each handler wrapped to log its entry and exit.
    [[nodiscard]] runtime::ProjectDescription wrap(runtime::ProjectDescription project);

    void note(std::string entry) { entries.push_back(std::move(entry)); }

    std::vector<std::string> entries;
};

}  // namespace temperament::test_support
