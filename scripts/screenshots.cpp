// Writes the pictures of the guide and the README: the main window on a new demo league, maximised on the
// screen the platform offers, each page reached through the object names of its tab, tables, actions and
// dialogs, as a user would reach it. A name that is gone stops the program with an error instead of
// picturing the wrong place. Run by scripts/screenshots.sh:
//   tavorin_screenshots FOLDER
// prints the path of every picture written into FOLDER. The settings location is the one the environment
// names (XDG_CONFIG_HOME), which the script makes new for every run.
#include "app/demoleague.h"
#include "app/mainwindow.h"
#include "app/translation.h"
#include "modaldialogs.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <cstdio>

namespace {

QString folder;

template <typename T> T* named(const QObject& parent, const QString& name) {
    T* child = parent.findChild<T*>(name);
    if (!child)
        qFatal("screenshots: no %s named %s", T::staticMetaObject.className(), qPrintable(name));
    return child;
}

void shoot(QWidget* widget, const char* name) {
    // The forum-code preview follows a pause in typing; the status bar's last note names a temporary folder.
    QTest::qWait(600);
    if (auto* window = qobject_cast<QMainWindow*>(widget))
        window->statusBar()->clearMessage();
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(QLatin1StringView(name) + QStringLiteral(".png"));
    if (!widget->grab().save(path, "PNG", 0)) // the strongest compression
        qFatal("screenshots: %s could not be written", qPrintable(path));
    std::printf("%s\n", qPrintable(path));
}

// Makes the tab of the page `page` (its object name) current.
void showPage(const MainWindow& window, const QString& page) {
    auto* tabs = named<QTabWidget>(window, QStringLiteral("hauptTabWidget"));
    tabs->setCurrentWidget(named<QWidget>(window, page + QStringLiteral("ScrollArea")));
    QApplication::processEvents();
}

// A mouse click on the first row of `table`, whose click loads that row into the page's groups.
void clickFirstRow(const MainWindow& window, const QString& table) {
    auto* list = named<QTableView>(window, table);
    if (list->model()->rowCount() == 0)
        qFatal("screenshots: %s has no rows", qPrintable(table));
    list->scrollToTop();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 1)).center());
}

// Triggers the action `action` and pictures the dialog it opens before closing it.
void shootDialog(const MainWindow& window, const QString& action, const char* name) {
    bool shown = false;
    answerModals([&] { named<QAction>(window, action)->trigger(); },
                 [&](QWidget* dialog) {
                     shoot(dialog, name);
                     shown = true;
                     dialog->close();
                 });
    if (!shown)
        qFatal("screenshots: %s opened no window", qPrintable(action));
}

void shootPages(MainWindow& window) {
    showPage(window, QStringLiteral("ergebnisseSeite"));
    clickFirstRow(window, QStringLiteral("ergebnisseTableWidget")); // a played match in the result form
    shoot(&window, "ergebnisse");
    showPage(window, QStringLiteral("tabelleSeite"));
    shoot(&window, "tabelle");
    shootDialog(window, QStringLiteral("tabelleCodeAction"), "forencode");
    showPage(window, QStringLiteral("statistikSeite"));
    shoot(&window, "statistik");

    named<QAction>(window, QStringLiteral("verwaltungAction"))->trigger();
    showPage(window, QStringLiteral("spielerSeite"));
    shoot(&window, "spieler");
    showPage(window, QStringLiteral("ligenSeite"));
    shoot(&window, "ligen");
    showPage(window, QStringLiteral("zuordnungSeite"));
    shoot(&window, "zuordnung");
    showPage(window, QStringLiteral("spieltageSeite"));
    clickFirstRow(window, QStringLiteral("spielplanTableWidget")); // its players in the pairing groups
    shoot(&window, "spieltage");
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tavorin_screenshots FOLDER\n");
        return 2;
    }
    folder = QString::fromLocal8Bit(argv[1]);
    tavorin::installGermanTranslation(app);
    const QString demo = QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath(QStringLiteral("demo.db"));
    if (!tavorin::writeDemoLeague(demo))
        qFatal("screenshots: the demo league %s could not be written", qPrintable(demo));
    MainWindow window(demo);
    window.showMaximized();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("screenshots: the window was not shown");
    shootPages(window);
    return 0;
}
