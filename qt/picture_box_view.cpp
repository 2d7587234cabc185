// The picture box: the design's JPEG, decoded by Qt, at its natural size from
// the top-left corner, inside a sunken border.

#include "qt/control_view.hpp"
#include "qt/qt_convert.hpp"

#include <QLabel>
#include <QPixmap>

#include <stdexcept>

namespace temperament::qt {
namespace {

class PictureBoxView final : public ControlView {
public:
    explicit PictureBoxView(QLabel& label) : ControlView(label) {}
    void refresh(ui::Property) override {}  // the picture never changes
};

}  // namespace

std::unique_ptr<ControlView> createPictureBoxView(ui::PictureBox& control, QWidget& parent) {
    QPixmap picture;
    const auto bytes = control.Picture();
    if (!bytes.empty() && !picture.loadFromData(bytes.data(), static_cast<uint>(bytes.size()))) {
        throw std::runtime_error("the picture of " + control.memberName() + " cannot be decoded");
    }
    auto* label = new QLabel(&parent);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setLineWidth(2);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setPixmap(picture);
    return std::make_unique<PictureBoxView>(*label);
}

}  // namespace temperament::qt
