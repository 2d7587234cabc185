// The picture box: the design's JPEG, decoded by the browser, at its natural
// size from the top-left corner, inside a 2-pixel sunken border (dark top
// and left, light bottom and right, as on the other layers). The first
// screen hides the picture, so its image is made when the box is first shown.

#include "layers/web/control_view.hpp"

namespace temperament::web {
namespace {

class PictureBoxView final : public ControlView, private Listener {
public:
    PictureBoxView(ui::PictureBox& control, const val& box, Failure failed)
        : ControlView(box, box, "block"), control_(control), failed_(std::move(failed)) {
        refresh(ui::Property::Visible);
    }

    void refresh(ui::Property property) override {
        if (property != ui::Property::Visible || !control_.Visible() || made_) return;
        made_ = true;
        const auto bytes = control_.Picture();
        if (bytes.empty()) return;
        val image = createElement("img");
        image.set("alt", val(control_.accessibleName()));
        setStyle(image, "display", "block");
        listen(image, "error", *this);
        image.set("src", val(blobUrl(bytes, "image/jpeg")));
        element().call<void>("append", image);
    }

private:
    bool handle(const val&) override {
        failed_("the picture of " + control_.memberName() + " cannot be decoded");
        return false;
    }

    ui::PictureBox& control_;
    Failure failed_;
    bool made_ = false;
};

}  // namespace

std::unique_ptr<ControlView> createPictureBoxView(ui::PictureBox& control, const Failure& failed) {
    val box = createElement("div");
    addStyles(box,
              "border: 2px solid; border-color: rgb(128,128,128) rgb(255,255,255) rgb(255,255,255) "
              "rgb(128,128,128); overflow: hidden; ");
    return std::make_unique<PictureBoxView>(control, box, failed);
}

}  // namespace temperament::web
