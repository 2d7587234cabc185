// The baseline for start-up measurements: the smallest Qt Widgets window,
// one label, started the way the program starts. It has the program's window
// size (461 x 387), because the window's pixel buffer alone is 0.7 MiB of the
// program's resident memory and belongs to the size its design fixes.

#include <QApplication>
#include <QLabel>

#include <array>

int main() {
    int argc = 1;
    std::array<char, 18> name{"minimal_qt_window"};
    std::array<char*, 2> argv{name.data(), nullptr};
    QApplication application(argc, argv.data());
    QLabel label(QStringLiteral("Психология"));
    label.setFixedSize(461, 387);
    label.show();
    return QApplication::exec();
}
