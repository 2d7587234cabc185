#pragma once
// The design data that the build embeds into the program: the window
// definition, the picture and the icon.

#include <span>
#include <string_view>

namespace temperament::runtime {

struct EmbeddedFile {
    std::string_view name;
    std::span<const unsigned char> bytes;
};

// Every embedded file, in the order the build lists them.
std::span<const EmbeddedFile> embeddedFiles() noexcept;

}  // namespace temperament::runtime
