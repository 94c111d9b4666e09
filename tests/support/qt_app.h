#pragma once
// The one QApplication of a widget test binary, made by whichever test comes
// first. It is never destroyed: statics of the tests (glyph caches, widgets)
// would otherwise outlive it at exit.
#include <QApplication>

namespace prismel::test {

inline void qt_app() {
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
}

}  // namespace prismel::test
