// The program without a screen: it prints its first screen and ends.

#include "layers/headless/layer.hpp"
#include "runtime/platform_layer.hpp"

#include <iostream>

namespace temperament::runtime {

std::unique_ptr<WindowingLayer> createPlatformLayer() {
    return std::make_unique<headless::Layer>(std::cout, std::cerr);
}

}  // namespace temperament::runtime
