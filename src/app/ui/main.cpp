#include <QApplication>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include "app/ui/MainWindow.h"
#include "app/ui/WidgetPrompts.h"
#include "settings/GuardedCommand.h"
#include "settings/Texts.h"
#include "video/FfmpegEngine.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(sm::lang::kProductName);
    // Every text of the program is Chinese; the toolkit's own buttons and dialogs follow it.
    QTranslator toolkitTexts;
    if (toolkitTexts.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&toolkitTexts);
    // The engine and the prompts outlive the window, whose destroy step still uses them.
    sm::FfmpegEngine engine;
    sm::WidgetPrompts prompts;
    sm::TfrmMain mainWindow(QCoreApplication::applicationDirPath(), prompts, engine);
    prompts.setParent(&mainWindow);
    mainWindow.show();
    // A video handed over on the command line (by the desktop entry) opens as a dropped one.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        QTimer::singleShot(0, &mainWindow,
                           [&] { sm::RunGuarded(prompts, [&] { mainWindow.OpenVideoFile(arguments[1]); }); });
    return app.exec();
}
