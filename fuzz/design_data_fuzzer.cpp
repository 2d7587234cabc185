// Fuzzes the design-data reader: any byte string must give either a complete
// MainForm or a DesignDataError naming a line of the input, never a crash,
// another exception, a hang or a leak.

#include "runtime/embedded_files.hpp"
#include "ui/design_reader.hpp"
#include "ui/main_form.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* what, std::string_view detail) {
    std::fprintf(stderr, "%s: %.*s\n", what, static_cast<int>(detail.size()), detail.data());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace temperament::ui;
    const std::span<const unsigned char> bytes(data, size);
    try {
        // Building the form checks that it has every group the program uses;
        // a missing member is the handlers' checked run-time error, not the reader's.
        const MainForm form(readFormDesign(bytes, temperament::runtime::embeddedFiles()));
    } catch (const DesignDataError& error) {
        // Lines are counted from 1; the error may name the line after the last
        // one when the definition stops short.
        const auto lines = std::count(bytes.begin(), bytes.end(), '\n') + 1;
        if (error.line() < 1 || error.line() > lines + 1) fail("error names no line of the input", error.what());
        if (!std::string_view(error.what()).starts_with("window definition, line "))
            fail("error does not say where", error.what());
    }
    return 0;
}
