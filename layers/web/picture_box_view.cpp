// The picture box: the design's JPEG, decoded by the browser, at its natural
// size from the top-left corner, inside a 2-pixel sunken border (dark top
// and left, light bottom and right, as on the other layers; the page's
// stylesheet draws it). The first screen hides the picture, so its image is
// made when the box is first shown. The picture's name is its image's
// alternative text, and only that: the box itself is no more than its frame.

#include "layers/web/control_view.hpp"

namespace temperament::web {
namespace {

class PictureBoxView final : public ControlView, private Listener {
public:
    PictureBoxView(ui::PictureBox& control, const val& box, Failure failed)
        : ControlView(box, box), control_(control), failed_(std::move(failed)) {}

    void refresh(ui::Property property) override {
        if (property != ui::Property::Visible || !control_.Visible() || made_) return;
        made_ = true;
        const auto bytes = control_.Picture();
        if (bytes.empty()) return;
        val image = createElement("img");
        image.set("alt", val(control_.accessibleName()));
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

std::unique_ptr<ControlView> createPictureBoxView(ui::PictureBox& control, const val& element, const Failure& failed) {
    return std::make_unique<PictureBoxView>(control, element, failed);
}

}  // namespace temperament::web
