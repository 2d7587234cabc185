#pragma once
// The windowing layer the program is built with. The build links exactly one
// library that defines createPlatformLayer: the screenless one, Qt or Win32.

#include "runtime/start.hpp"

#include <memory>

namespace temperament::runtime {

[[nodiscard]] std::unique_ptr<WindowingLayer> createPlatformLayer();

}  // namespace temperament::runtime
