#pragma once
// What CMake tells the test program on its command line, after GoogleTest's
// own flags:
//   --dpi=<n>         the system DPI of the Wine prefix the test runs in
//   --screens=<dir>   where the screenshots go
//   --program=<exe>   the shipped program, to start in a process of its own
// A test that needs one fails with a clear message when it is missing.

#include <string>

namespace temperament::wintest {

struct TestOptions {
    int dpi = 0;
    std::wstring screens;
    std::wstring program;
};

[[nodiscard]] const TestOptions& testOptions();

}  // namespace temperament::wintest
