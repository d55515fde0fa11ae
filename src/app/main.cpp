#include "app/commandline.h"
#include "app/mainwindow.h"
#include "app/translation.h"
#include "db/filecommands.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    const tavorin::StartRequest start = tavorin::answerCommandLine(argc, argv);
    if (!start.startWindow)
        return start.exitCode;
    tavorin::db::ignoreFileSizeSignal();
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(tavorin::applicationId());
    tavorin::installGermanTranslation(app);
    if (!tavorin::prepareDemoFile(start))
        return 1;
    MainWindow window(start.demoFile);
    return app.exec();
}
