// Label: a STATIC showing the caption, aligned as designed.

#include "layers/win32/control_view.hpp"
#include "layers/win32/wide_text.hpp"

namespace temperament::win32 {
namespace {

class LabelControl final : public ControlView {
public:
    LabelControl(ui::Label& label, HWND window) : ControlView(label, window) {}
};

DWORD alignmentStyle(ui::Alignment alignment) {
    switch (alignment) {
    case ui::Alignment::Center: return SS_CENTER;
    case ui::Alignment::Right: return SS_RIGHT;
    case ui::Alignment::Left: break;
    }
    return SS_LEFT;
}

}  // namespace

std::unique_ptr<ControlView> createLabel(ui::Label& label, const ChildPlacement& placement) {
    HWND window = createChild(label, L"STATIC", widen(label.Caption()), alignmentStyle(label.alignment()) | SS_NOPREFIX,
                              0, placement);
    return std::make_unique<LabelControl>(label, window);
}

}  // namespace temperament::win32
