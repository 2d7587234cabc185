#pragma once
// Records, in order, the handlers entered and left and every property change
// the observers hear of, e.g. "Check1_Click(0) {", "Check1(0).Caption = Силен", "}".

#include "runtime/project_description.hpp"
#include "ui/main_form.hpp"

#include <string>
#include <vector>

namespace temperament::test_support {

class EventLog final : public ui::FormObserver {
public:
    void changed(std::span<const ui::Change> changes) override;

    // The project description with Load and each handler wrapped to log its
    // entry and exit; the log subscribes to the form at Load.
    [[nodiscard]] runtime::ProjectDescription wrap(runtime::ProjectDescription project);

    void note(std::string entry) { entries.push_back(std::move(entry)); }

    std::vector<std::string> entries;
};

}  // namespace temperament::test_support
