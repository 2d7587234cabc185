#include "layers/win32/font.hpp"

#include "layers/win32/wide_text.hpp"
#include "layers/win32/win32_error.hpp"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>

namespace temperament::win32 {
namespace {

struct KnownFace {
    std::wstring_view name;
    BYTE pitchAndFamily;
};

// Windows' standard faces with the family its font mapper files them under.
// Only the family is needed: the mapper finds the nearest face within it.
constexpr std::array knownFaces{
    KnownFace{L"Times New Roman", VARIABLE_PITCH | FF_ROMAN},  // serif
    KnownFace{L"MS Serif", VARIABLE_PITCH | FF_ROMAN},
    KnownFace{L"Georgia", VARIABLE_PITCH | FF_ROMAN},
    KnownFace{L"Arial", VARIABLE_PITCH | FF_SWISS},  // sans serif
    KnownFace{L"MS Sans Serif", VARIABLE_PITCH | FF_SWISS},
    KnownFace{L"Tahoma", VARIABLE_PITCH | FF_SWISS},
    KnownFace{L"Verdana", VARIABLE_PITCH | FF_SWISS},
    KnownFace{L"Courier New", FIXED_PITCH | FF_MODERN},  // fixed pitch
};

bool sameFace(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// The pitch and family of a known face; none for another.
BYTE pitchAndFamilyOf(std::wstring_view face) {
    const auto* known =
        std::find_if(knownFaces.begin(), knownFaces.end(), [&](const KnownFace& k) { return sameFace(k.name, face); });
    return known == knownFaces.end() ? BYTE{DEFAULT_PITCH | FF_DONTCARE} : known->pitchAndFamily;
}

}  // namespace

OwnedFont createFont(const ui::FontDesign& design, int dpi) {
    const std::wstring name = widen(design.name);
    if (name.size() >= LF_FACESIZE) throw std::runtime_error("името на шрифта е твърде дълго: " + design.name);
    LOGFONTW font{};
    font.lfHeight = -MulDiv(design.points, dpi, 72);
    font.lfWeight = design.weight;
    font.lfItalic = design.italic ? TRUE : FALSE;
    font.lfUnderline = design.underline ? TRUE : FALSE;
    font.lfStrikeOut = design.strikethrough ? TRUE : FALSE;
    font.lfCharSet = static_cast<BYTE>(design.charset);
    // Wine 8 falls back to its default sans face for an unknown face with no
    // family, and its text shaping then crashes in the multi-line edit control.
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = pitchAndFamilyOf(name);
    std::copy(name.begin(), name.end(), font.lfFaceName);
    HFONT handle = CreateFontIndirectW(&font);
    if (handle == nullptr) throwLastError("не може да се създаде шрифтът " + design.name);
    return OwnedFont(handle);
}

}  // namespace temperament::win32
