#pragma once
// The form's font as a GDI font.

#include "layers/win32/handles.hpp"
#include "ui/form_design.hpp"

namespace temperament::win32 {

// The designed face, size (at `dpi`), weight, style and character set. The
// request also names the face's family and asks for a TrueType font, so that
// where the face is not installed (Wine without Microsoft's fonts) the font
// mapper falls back to a face of the same family with the same characters,
// not to its default sans face. Throws WindowsError when GDI refuses.
[[nodiscard]] OwnedFont createFont(const ui::FontDesign& design, int dpi);

}  // namespace temperament::win32
