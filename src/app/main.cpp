#include <QApplication>
#include <QLabel>

#include "app/uLang.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(sm::lang::kProductName);
    QLabel placeholder(sm::lang::kProductName + QLatin1Char(' ') + sm::lang::kVersion);
    placeholder.show();
    return app.exec();
}
