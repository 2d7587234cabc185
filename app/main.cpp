// The program's entry: hand the project description to the run-time, which
// never returns here.

#include "app/project.hpp"
#include "runtime/headless_layer.hpp"

#include <iostream>

int main() {
    temperament::runtime::HeadlessLayer layer(std::cout, std::cerr);
    temperament::runtime::start(temperament::app::describeProject(), layer);
}
