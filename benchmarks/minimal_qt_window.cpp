// The baseline for start-up measurements: the smallest Qt Widgets window,
// one label, started the way the program starts.

#include <QApplication>
#include <QLabel>

int main() {
    int argc = 1;
    char name[] = "minimal_qt_window";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    QLabel label(QStringLiteral("Психология"));
    label.show();
    return QApplication::exec();
}
