#include "app/mainwindow.h"
#include "app/translation.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tavorin::installGermanTranslation(app);
    MainWindow window;
    window.show();
    return app.exec();
}
