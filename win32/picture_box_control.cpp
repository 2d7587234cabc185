// Picture box: an owner-drawn STATIC; the main window passes WM_DRAWITEM on,
// and the picture is drawn at its natural size from the top-left corner on the
// platform's default background.

#include "win32/native_control.hpp"
#include "win32/picture.hpp"

namespace temperament::win32 {
namespace {

class PictureBoxControl final : public NativeControl {
public:
    PictureBoxControl(ui::PictureBox& box, HWND window, Picture picture, int dpi)
        : NativeControl(box, window), picture_(std::move(picture)), dpi_(dpi) {}

    void draw(const DRAWITEMSTRUCT& item) const override {
        FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
        picture_.draw(item.hDC, item.rcItem.left, item.rcItem.top, dpi_);
    }

private:
    Picture picture_;
    int dpi_;
};

}  // namespace

std::unique_ptr<NativeControl> createPictureBox(ui::PictureBox& pictureBox, const ChildPlacement& placement, int dpi) {
    Picture picture(pictureBox.Picture());
    HWND window = createChild(pictureBox, L"STATIC", L"", SS_OWNERDRAW, 0, placement);
    return std::make_unique<PictureBoxControl>(pictureBox, window, std::move(picture), dpi);
}

}  // namespace temperament::win32
