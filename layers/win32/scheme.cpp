#include "layers/win32/scheme.hpp"

namespace temperament::win32 {

Scheme currentScheme() {
    HIGHCONTRASTW highContrast{};
    highContrast.cbSize = sizeof highContrast;
    // Where the flag cannot be read, the colours alone decide.
    const bool asked = SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof highContrast, &highContrast, 0) != FALSE &&
                       (highContrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    return {
        .dialog = {{GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_BTNFACE)}, asked},
        .document = {{GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW)}, asked},
    };
}

}  // namespace temperament::win32
