// The program's first screen built by hand with Qt Widgets: the same widgets,
// texts, font, colours and places, made in code with no design data, no model
// and no observers. What the program costs beyond this is the cost of its
// architecture; the start-up, memory and click measurements compare the two,
// and a test compares their screens pixel for pixel.
//
// Only the shown controls are made (hidden ones change nothing on screen),
// plus the three property boxes, which a click on the third option button
// shows. That click writes the third classification into the display box,
// and one on the second writes the second, so the click measurement can
// alternate. The texts come from the expected screens (hand_built_texts.hpp).

#include "hand_built_texts.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QWidget>

#include <array>

namespace {

QString text(const char16_t* utf16) { return QString::fromUtf16(utf16); }

// A control's designed background, as the program paints it.
void colour(QWidget& widget, QColor background) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::Button, background);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

}  // namespace

int main() {
    int argc = 1;
    std::array<char, 21> name{"hand_built_qt_window"};
    std::array<char*, 2> argv{name.data(), nullptr};
    QApplication application(argc, argv.data());

    QWidget window;
    window.setWindowTitle(text(hand_built::caption));
    window.setWindowIcon(QIcon(QPixmap(QStringLiteral(":/app.ico"), "ICO")));
    window.setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    window.setFixedSize(461, 387);
    QPalette background = window.palette();
    background.setColor(QPalette::Window, QColor(192, 192, 255));
    window.setPalette(background);
    window.setAutoFillBackground(true);
    window.setFont(QFont(QStringLiteral("Times New Roman"), 12));

    auto* title = new QLabel(&window);
    title->setTextFormat(Qt::PlainText);
    title->setText(text(hand_built::title));
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    title->setWordWrap(true);
    title->setGeometry(80, 0, 305, 25);
    colour(*title, QColor(255, 192, 128));

    std::array<QRadioButton*, 3> options{};
    for (int i = 0; i < 3; ++i) {
        options.at(i) = new QRadioButton(text(hand_built::options.at(i)), &window);
        options.at(i)->setGeometry(232, 72 + 24 * i, 89, 19);
        colour(*options.at(i), QColor(255, 128, 0));
    }

    constexpr std::array<int, 3> boxTops{72, 104, 136};
    constexpr std::array<int, 3> boxWidths{105, 129, 129};
    std::array<QCheckBox*, 3> boxes{};
    for (int i = 0; i < 3; ++i) {
        boxes.at(i) = new QCheckBox(text(hand_built::boxes.at(i)), &window);
        boxes.at(i)->setChecked(hand_built::boxesChecked.at(i));
        boxes.at(i)->setGeometry(328, boxTops.at(i), boxWidths.at(i), 25);
        colour(*boxes.at(i), QColor(128, 255, 128));
        boxes.at(i)->hide();
    }

    auto* display = new QPlainTextEdit(&window);
    display->setGeometry(8, 256, 449, 121);
    display->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    display->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    display->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    display->setTabChangesFocus(true);
    display->setReadOnly(true);
    display->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    display->setPlainText(text(hand_built::introduction));

    // On toggled, which comes before Qt repaints the clicked button (clicked
    // comes after): the new text is then in that same frame.
    QObject::connect(options[1], &QRadioButton::toggled, display, [display, &boxes](bool chosen) {
        if (!chosen) return;
        display->setPlainText(text(hand_built::secondText));
        for (QCheckBox* box : boxes) box->hide();
    });
    QObject::connect(options[2], &QRadioButton::toggled, display, [display, &boxes](bool chosen) {
        if (!chosen) return;
        display->setPlainText(text(hand_built::thirdText));
        for (QCheckBox* box : boxes) box->show();
    });

    QRect frame = window.frameGeometry();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
    display->setFocus(Qt::OtherFocusReason);
    window.show();
    return QApplication::exec();
}
