#pragma once

#include <QApplication>

namespace sm::test {

// The one application object that widget tests need; created on first use.
inline QApplication& WidgetTestApp()
{
    static int argc = 1;
    static char name[] = "stillmark-test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

}  // namespace sm::test
