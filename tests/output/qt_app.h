#pragma once
// The one QApplication of the output folder's widget tests.
#include <QApplication>

namespace prismel::test {

inline QApplication& qt_app() {
    static int argc = 1;
    static char name[] = "test_output_qt";
    static char* argv[] = {name, nullptr};
    static QApplication a(argc, argv);
    return a;
}

}  // namespace prismel::test
