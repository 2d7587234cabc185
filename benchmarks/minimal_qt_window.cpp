// The baseline for start-up measurements: the smallest Qt Widgets window,
// one label, started the way the program starts.

#include <QApplication>
#include <QLabel>

#include <array>

int main() {
    int argc = 1;
    std::array<char, 18> name{"minimal_qt_window"};
    std::array<char*, 2> argv{name.data(), nullptr};
    QApplication application(argc, argv.data());
    QLabel label(QStringLiteral("Психология"));
    label.show();
    return QApplication::exec();
}
