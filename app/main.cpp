// The program's entry: hand the project description to the run-time, which
// never returns here.

#include "app/project.hpp"
#include "runtime/platform_layer.hpp"

int main() {
    temperament::runtime::start(temperament::app::describeProject(), temperament::runtime::createPlatformLayer);
}
