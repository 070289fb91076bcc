#include <QApplication>

#include "ShellFakes.h"
#include "render/Fonts.h"

namespace zepo::test {

QApplication& App() {
    static int argc = 1;
    static char name[] = "zepo_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        auto* a = new QApplication(argc, argv);
        RegisterFontSubstitutes();
        return a;
    }();
    return *app;
}

}  // namespace zepo::test
