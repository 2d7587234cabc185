// The picture box: the design's JPEG, decoded by Qt, at its natural size from
// the top-left corner, inside a sunken border. The first screen hides the
// picture, so it is decoded when the box is first shown, not at start-up.

#include "layers/qt/control_view.hpp"
#include "layers/qt/convert.hpp"

#include <QLabel>
#include <QPixmap>

#include <stdexcept>

namespace temperament::qt {
namespace {

class PictureBoxView final : public ControlView {
public:
    PictureBoxView(ui::PictureBox& control, QLabel& label) : ControlView(label), control_(control), label_(label) {
        refresh(ui::Property::Visible);
    }

    void refresh(ui::Property property) override {
        if (property != ui::Property::Visible || !control_.Visible() || decoded_) return;
        QPixmap picture;
        const auto bytes = control_.Picture();
        if (!bytes.empty() && !picture.loadFromData(bytes.data(), static_cast<uint>(bytes.size()))) {
            throw std::runtime_error("the picture of " + control_.memberName() + " cannot be decoded");
        }
        label_.setPixmap(picture);
        decoded_ = true;
    }

private:
    ui::PictureBox& control_;
    QLabel& label_;
    bool decoded_ = false;
};

}  // namespace

std::unique_ptr<ControlView> createPictureBoxView(ui::PictureBox& control, QWidget& parent) {
    auto* label = new QLabel(&parent);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setLineWidth(2);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return std::make_unique<PictureBoxView>(control, *label);
}

}  // namespace temperament::qt
