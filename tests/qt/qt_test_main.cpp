// Qt's widgets need their application before the first test; the program
// takes no command line, so Qt gets none either.

#include <QApplication>

#include <gtest/gtest.h>

#include <array>

int main(int argc, char** argv) {
    std::array<char, 9> name{"qt_tests"};
    std::array<char*, 2> qtArguments{name.data(), nullptr};
    int qtCount = 1;
    const QApplication application(qtCount, qtArguments.data());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
