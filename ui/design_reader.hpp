#pragma once
// Reads the window definition: Windows-1251 text in a small declarative
// format (see ui/MainForm.form), with pictures and icons named by the
// embedded file that holds them.

#include "runtime/embedded_files.hpp"
#include "ui/form_design.hpp"

#include <span>
#include <stdexcept>
#include <string>

namespace temperament::ui {

using runtime::EmbeddedFile;

// Malformed design data: says which line and what is wrong with it.
class DesignDataError : public std::runtime_error {
public:
    DesignDataError(int line, const std::string& problem);
    [[nodiscard]] int line() const noexcept { return line_; }

private:
    int line_;
};

[[nodiscard]] FormDesign readFormDesign(std::span<const unsigned char> windows1251,
                                        std::span<const EmbeddedFile> resources);

}  // namespace temperament::ui
