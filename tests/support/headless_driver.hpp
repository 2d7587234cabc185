#pragma once
// The screenless layer's window as a ScreenDriver: the reference every other
// layer is compared with.

#include "support/screens.hpp"
#include "support/walk.hpp"

namespace temperament::test_support {

// Starts the real program (its design data and handlers) with the screenless
// window and lets `body` drive it; throws if the program reports an error.
void withHeadlessWindow(const std::function<void(ScreenDriver&)>& body);

}  // namespace temperament::test_support
