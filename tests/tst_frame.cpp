// The main window's frame: start-up, the administration tabs, messages, the settings dialog, the
// remembered window and the keyboard paths.
#include "guitest.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>

using namespace guitest;

namespace {

// Enabled states of the table-code, statistics-code and schedule-code actions, as "1" or "0" each.
QString codeActions(const MainWindow& w) {
    QString out;
    for (const char* name : {"tabelleCodeAction", "statistikCodeAction", "spielplanCodeAction"})
        out += find<QAction>(w, name)->isEnabled() ? '1' : '0';
    return out;
}

} // namespace

class TestFrame : public QObject {
    Q_OBJECT

private slots:
    void databaseThatCannotBeOpened() {
        TempSettings env;
        // The path is shown as it is: the umlaut escapes of the program's own texts are not applied to it.
        const QString blocker = env.root() + "/kein-:ue:-ordner", unusable = blocker + "/liga.db";
        QFile(blocker).open(QIODevice::WriteOnly);
        QDir().mkpath(env.dir());
        QSettings(env.configPath(), QSettings::IniFormat).setValue("dateipfad/dbpfad", unusable);
        QList<SeenMessage> messages;
        auto w = startWindow(&messages);
        QCOMPARE(messages.size(), 1); // once, not once for every view; answered: on without a league file
        QVERIFY2(messages[0].text.startsWith("Die Datei kann nicht als Liga-Datenbank benutzt werden:\n" + unusable +
                                             ": Datei oder Ordner nicht gefunden\n"),
                 qPrintable(messages[0].text));
        QVERIFY(w->isVisible() && w->windowTitle().endsWith(" - keine Liga-Datenbank"));
    }

    void administrationTabsAndCodeActions() {
        TempSettings env;
        auto w = startWindow(nullptr, false);
        auto* tabs = find<QTabWidget>(*w, "hauptTabWidget");
        QAction* verwaltung = find<QAction>(*w, "verwaltungAction");
        QString states = QString::number(tabs->count()) + ' ' + codeActions(*w);
        tabs->setCurrentIndex(1);
        verwaltung->trigger(); // shows "Spieler"; the code actions stay as the last result tab left them
        for (int index : {3, 2, 5, 0}) {
            tabs->setCurrentIndex(index);
            states += ' ' + codeActions(*w);
        }
        verwaltung->trigger();
        QCOMPARE(states + ' ' + QString::number(tabs->count()), "3 001 100 010 010 001 3");
        verwaltung->trigger();
        QCOMPARE(tabs->currentWidget()->objectName() + tabs->widget(6)->objectName(),
                 "spielerSeiteScrollAreaspieltageSeiteScrollArea");
    }

    void settingsDialog() {
        TempSettings env;
        auto w = startWindow();
        const auto inDialog = [&](const std::function<void(QWidget*)>& handle) {
            return answerModals([&] { find<QAction>(*w, "einstellungenAction")->trigger(); }, handle);
        };
        const QByteArray before = fileContent(env.configPath());
        inDialog([](QWidget* d) {
            find<QLineEdit>(*d, "heimLineEdit")->setText("Anders");
            find<QPushButton>(*d, "abbrechenButton")->click();
        });
        QCOMPARE(fileContent(env.configPath()), before); // cancelled: nothing is written
        QVERIFY(inDialog([](QWidget* d) {
                    QCOMPARE(find<QLineEdit>(*d, "heimLineEdit")->text(), "Spieler 1"); // the values in effect
                    find<QLineEdit>(*d, "heimLineEdit")->setText("Haus");
                    find<QLineEdit>(*d, "siegLineEdit")->setText("3");
                    QTest::keyClick(find<QLineEdit>(*d, "siegLineEdit"), Qt::Key_Return); // the default button saves
                }).isEmpty());
        QSettings file(env.configPath(), QSettings::IniFormat);
        QCOMPARE(file.value("bezeichnungen/heim").toString() + file.value("punkte/PunkteGewonnen").toString(), "Haus3");
    }

    void windowStateRemembered() {
        TempSettings env;
        QList<SeenMessage> messages;
        auto w = startWindow(&messages, false);
        QVERIFY(messages.isEmpty() && QFile::exists(env.defaultDatabase())); // a first start asks nothing
        const QByteArray written = fileContent(env.configPath());
        find<QAction>(*w, "verwaltungAction")->trigger();
        w->setGeometry(40, 50, 900, 600);
        find<QAction>(*w, "beendenAction")->trigger();
        QVERIFY(!w->isVisible());
        // The window's own group follows the others, which stay as they were written.
        QVERIFY(fileContent(env.configPath()).startsWith(written + "\n[fenster]\ngeometrie="));

        w = startWindow(nullptr, false);
        QCOMPARE(w->geometry(), QRect(40, 50, 900, 600));
        auto* tabs = find<QTabWidget>(*w, "hauptTabWidget");
        QVERIFY(tabs->count() == 7 && tabs->currentIndex() == 0); // the administration tabs, the first tab current
        find<QAction>(*w, "verwaltungAction")->trigger();
        w->showMaximized();
        w->close();
        w = startWindow(nullptr, false);
        QVERIFY(w->isMaximized() && !find<QAction>(*w, "verwaltungAction")->isChecked());
    }

    void tabsByKeyboard() {
        TempSettings env;
        auto w = startWindow(nullptr, false);
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        auto* tabs = find<QTabWidget>(*w, "hauptTabWidget");
        // A table would take Ctrl+Tab for itself: the window's shortcuts come first.
        auto* table = find<QTableView>(*w, "ergebnisseTableWidget");
        QString visited;
        for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Backtab}) {
            QTest::keyClick(table, key,
                            Qt::ControlModifier | (key == Qt::Key_Tab ? Qt::NoModifier : Qt::ShiftModifier));
            visited += QString::number(tabs->currentIndex());
        }
        QCOMPARE(visited, "12021");
    }
};

QTEST_MAIN(TestFrame)
#include "tst_frame.moc"
