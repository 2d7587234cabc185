#pragma once
// The screenless layer's window as a ScreenDriver: the reference every other
// layer is compared with.

#include "support/accessibility.hpp"
#include "support/screens.hpp"
#include "support/walk.hpp"

namespace temperament::test_support {

// Starts the real program (its design data and handlers) with the screenless
// window and lets `body` drive it; throws if the program reports an error.
void withHeadlessWindow(const std::function<void(ScreenDriver&)>& body);

// The scenario of expected trees with each step's tree as the screenless
// window gives it (treeOf), played from a fresh start; throws if an action
// names no control shown.
[[nodiscard]] AccessibleScenario headlessTrees(AccessibleScenario scenario);

}  // namespace temperament::test_support
