// Picture box: an owner-drawn STATIC in a sunken border (WS_EX_CLIENTEDGE, 2
// pixels at 96 DPI, as the design's 224-pixel box around a 220-pixel picture
// expects); the main window passes WM_DRAWITEM on, and the picture is drawn at
// its natural size from the client area's origin, inside the border, on the
// platform's default background. The first screen hides the picture, so it is
// decoded when the box is first shown, not at start-up. The STATIC's window
// text, which an owner-drawn STATIC never paints, is its AccessibleName: the
// name Active Accessibility gives it. Its role, a graphic, is set by Dynamic
// Annotation once the picture is decoded (COM is up then); Wine has no
// annotation service, so there the box keeps a STATIC's role.

#include "layers/win32/control_view.hpp"
#include "layers/win32/picture.hpp"
#include "layers/win32/wide_text.hpp"
#include "layers/win32/win32_error.hpp"

// PROPID_ACC_ROLE and IID_IAccPropServices are defined here, once.
#include <initguid.h>

#include <oleacc.h>
#include <wrl/client.h>

#include <optional>

namespace temperament::win32 {
namespace {

// CLSID_CAccPropServices (MinGW declares it but defines it nowhere).
constexpr CLSID accPropServices = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};

void annotateAsGraphic(HWND window) {
    const std::string what = "не може да се опише картината за екранния четец";
    Microsoft::WRL::ComPtr<IAccPropServices> services;
    check(createComObject(accPropServices, IID_IAccPropServices, &services), what);
    VARIANT role{};
    role.vt = VT_I4;
    role.lVal = ROLE_SYSTEM_GRAPHIC;
    const HRESULT annotated =
        services->SetHwndProp(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_ROLE, role);
    if (annotated != E_NOTIMPL) check(annotated, what);
}

class PictureBoxControl final : public ControlView {
public:
    PictureBoxControl(ui::PictureBox& box, HWND window, int dpi) : ControlView(box, window), box_(box), dpi_(dpi) {
        decodeIfShown();
    }

    void refresh(ui::Property property) override {
        if (property == ui::Property::Visible) decodeIfShown();
    }

    void draw(const DRAWITEMSTRUCT& item) const override {
        FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
        if (picture_) picture_->draw(item.hDC, item.rcItem.left, item.rcItem.top, dpi_);
    }

private:
    void decodeIfShown() {
        if (!box_.Visible() || picture_) return;
        picture_.emplace(box_.Picture());
        annotateAsGraphic(handle());
    }

    ui::PictureBox& box_;
    std::optional<Picture> picture_;
    int dpi_;
};

}  // namespace

std::unique_ptr<ControlView> createPictureBox(ui::PictureBox& pictureBox, const ChildPlacement& placement, int dpi) {
    HWND window = createChild(pictureBox, L"STATIC", widen(pictureBox.accessibleName()), SS_OWNERDRAW | SS_NOPREFIX,
                              WS_EX_CLIENTEDGE, placement);
    return std::make_unique<PictureBoxControl>(pictureBox, window, dpi);
}

}  // namespace temperament::win32
