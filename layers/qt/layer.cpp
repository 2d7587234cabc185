#include "layers/qt/layer.hpp"

#include "layers/qt/convert.hpp"
#include "layers/qt/window.hpp"
#include "runtime/error_reporter.hpp"
#include "runtime/platform_layer.hpp"

#include <QMessageBox>

#include <iostream>

namespace temperament::qt {

Layer::Layer() {
    if (QApplication::instance() == nullptr) application_ = std::make_unique<QApplication>(argc_, argv_.data());
    QGuiApplication::setDesktopFileName(QStringLiteral(TEMPERAMENT_APP_ID));
}

Layer::~Layer() = default;

int Layer::run(ui::MainForm& form, runtime::Dispatcher& dispatcher) {
    Window window(form, dispatcher);
    window_ = &window;
    window.showCentred();
    const int status = QApplication::exec();
    window_ = nullptr;
    return dispatcher.ended() ? dispatcher.exitStatus() : status;
}

void Layer::report(std::string_view message) {
    std::cerr << message << std::endl;
    QMessageBox box(QMessageBox::Critical, toQString(runtime::reportTitle), toQString(message), QMessageBox::Ok,
                    window_);
    box.setInformativeText(toQString(runtime::reportClosing));
    box.exec();
}

}  // namespace temperament::qt

namespace temperament::runtime {

std::unique_ptr<WindowingLayer> createPlatformLayer() { return std::make_unique<qt::Layer>(); }

}  // namespace temperament::runtime
