// The main window as an organiser meets it: first and later starts, the tabs, the menus, messages and
// the settings dialog.
#include "app/translation.h"
#include "guitest.h"
#include "testenv.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>

using namespace guitest;

namespace {

const QStringList mainTabs = {"  Ergebnisse  ", "  Tabelle  ", "  Statistik  "};

QStringList tabTitles(const MainWindow& w) {
    const auto* tabs = w.findChild<QTabWidget*>("hauptTabWidget");
    QStringList out;
    for (int i = 0; i < tabs->count(); ++i)
        out << tabs->tabText(i);
    return out;
}

QStringList headers(const MainWindow& w, const char* table) {
    return headerTexts(find<QTableWidget>(w, table));
}

// Enabled states of the table-code, statistics-code and schedule-code actions, as "1" or "0" each.
QString codeActions(const MainWindow& w) {
    QString out;
    for (const char* name : {"tabelleCodeAction", "statistikCodeAction", "spielplanCodeAction"})
        out += find<QAction>(w, name)->isEnabled() ? '1' : '0';
    return out;
}

QByteArray fileContent(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// Opens the settings dialog and hands it to `handle`, which must close it.
QList<SeenMessage> inSettings(const MainWindow& w, const std::function<void(QWidget*)>& handle) {
    return answerModals([&] { find<QAction>(w, "einstellungenAction")->trigger(); }, handle);
}

} // namespace

class TestFrame : public QObject {
    Q_OBJECT

private slots:
    void firstAndLaterStarts();
    void databaseThatCannotBeOpened();
    void administrationTabsAndCodeActions();
    void messageKinds();
    void settingsDialog();
    void germanStandardDialogs();
    void windowStateRemembered();
    void enterInForms_data();
    void enterInForms();
    void tabsByKeyboard();
};

void TestFrame::firstAndLaterStarts() {
    TempSettings env;
    QList<SeenMessage> messages;
    auto w = startWindow(&messages, false);
    QVERIFY(messages.isEmpty());
    QVERIFY(QFile::exists(env.configPath()) && QFile::exists(env.defaultDatabase()));
    QCOMPARE(w->windowTitle(), "Brenvik - Tavorin64 - Version 2.3.1 - " + env.defaultDatabase());
    QVERIFY(w->isVisible());
    QCOMPARE(tabTitles(*w), mainTabs);
    QCOMPARE(codeActions(*w), "001");
    QVERIFY(!w->findChild<QWidget*>("ergebnisFormularWidget")->isEnabled());
    // The built-in captions hold for the whole first run.
    QCOMPARE(headers(*w, "ergebnisseTableWidget"),
             QStringList({"id", "Spieltag", "Spieler 1", "Spieler 2", "heimId", "gastId", "Ergebnis"}));
    QCOMPARE(headers(*w, "spielerTableWidget"), QStringList({"id", "dart'n-Forum Name", "Lidarts Name"}));
    QCOMPARE(headers(*w, "ligaTabelleTableWidget").size(), 9);
    QCOMPARE(headers(*w, "statistikTableWidget").last(), QStringLiteral("Best Leg"));
    QStringList texts;
    for (const char* name : {"dateiMenu", "bearbeitenMenu", "ansichtMenu"}) {
        texts << find<QMenu>(*w, name)->title() + ":";
        for (QAction* a : find<QMenu>(*w, name)->actions()) {
            texts.last() += " | " + (a->isSeparator() ? QStringLiteral("-") : a->text());
            if (!a->shortcut().isEmpty())
                texts.last() += " (" + a->shortcut().toString() + ")";
        }
    }
    QCOMPARE(texts, QStringList({"&Datei: | Datenbank verbinden (Ctrl+O) | Datenbank speichern unter... "
                                 "(Ctrl+Shift+S) | Sicherung wiederherstellen... | - | Beenden (Ctrl+Q)",
                                 "&Bearbeiten: | Tabelle als Foren-Code | Statistik als Foren-Code | "
                                 "Spielplan als Foren-Code | - | Einstellungen",
                                 "&Ansicht: | Verwaltung einblenden | Saisonverlauf"}));
    find<QAction>(*w, "beendenAction")->trigger();
    QVERIFY(!w->isVisible());

    // Later starts take the captions from the file.
    w.reset();
    w = startWindow();
    QCOMPARE(headers(*w, "spielplanTableWidget"), QStringList({"id", "Spieltag", "Heim", "Gast", "heimId", "gastId"}));
    w.reset();
    {
        QSettings s(env.configPath(), QSettings::IniFormat);
        s.setValue("bezeichnungen/name1", "Forum");
        s.setValue("bezeichnungen/name2", "Online");
        s.remove("punkte");
    }
    w = startWindow();
    QCOMPARE(headers(*w, "spielerpoolTableWidget"), QStringList({"id", "Forum", "Online"}));
}

void TestFrame::databaseThatCannotBeOpened() {
    TempSettings env;
    const QString blocker = env.root() + "/kein-ordner";
    QFile(blocker).open(QIODevice::WriteOnly);
    const QString unusable = blocker + "/liga.db";
    QDir().mkpath(env.dir());
    QSettings(env.configPath(), QSettings::IniFormat).setValue("dateipfad/dbpfad", unusable);
    QList<SeenMessage> messages;
    auto w = startWindow(&messages);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].icon, QMessageBox::Critical);
    QCOMPARE(messages[0].text, QString::fromUtf8("  Die Datenbank kann nicht geöffnet werden:  \n") + unusable);
    QVERIFY(w->isVisible());
    QVERIFY(w->windowTitle().endsWith(" - " + unusable));
    QCOMPARE(w->findChild<QTableWidget*>("spielerTableWidget")->rowCount(), 0);
}

void TestFrame::administrationTabsAndCodeActions() {
    TempSettings env;
    auto w = startWindow(nullptr, false);
    auto* tabs = w->findChild<QTabWidget*>("hauptTabWidget");
    QAction* verwaltung = find<QAction>(*w, "verwaltungAction");
    QVERIFY(verwaltung->isCheckable() && !verwaltung->isChecked());
    QTableWidget* spieler = w->findChild<QTableWidget*>("spielerTableWidget");

    tabs->setCurrentIndex(1);
    QCOMPARE(codeActions(*w), "100");
    verwaltung->trigger(); // shows "Spieler": the code actions stay as they were
    QCOMPARE(tabTitles(*w), mainTabs + QStringList({"  Spieler  ", "  Ligen  ", "  Zuordnung  ", "  Spieltage  "}));
    QCOMPARE(tabs->currentIndex(), 3);
    QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("spielerSeiteScrollArea"));
    QCOMPARE(codeActions(*w), "100");
    for (const auto& [index, states] : QList<QPair<int, QString>>{{2, "010"}, {5, "010"}, {0, "001"}}) {
        tabs->setCurrentIndex(index);
        QCOMPARE(codeActions(*w), states);
    }

    verwaltung->trigger();
    QCOMPARE(tabTitles(*w), mainTabs);
    // Hidden pages keep their widgets and come back as they were.
    verwaltung->trigger();
    QCOMPARE(w->findChild<QTableWidget*>("spielerTableWidget"), spieler);
    QCOMPARE(tabs->widget(6)->objectName(), QStringLiteral("spieltageSeiteScrollArea"));
}

void TestFrame::messageKinds() {
    const QList<QPair<int, QMessageBox::Icon>> kinds = {{1, QMessageBox::Question}, {2, QMessageBox::Information},
                                                        {3, QMessageBox::Warning},  {4, QMessageBox::Critical},
                                                        {0, QMessageBox::Warning},  {7, QMessageBox::Warning}};
    for (const auto& [kind, icon] : kinds) {
        const QList<SeenMessage> seen = answerModals([&] {
            MainWindow::MeldungAnzeigen(kind, "  Es wurde kein Spieler ausgew:ae:hlt.  ");
            MainWindow::MeldungAnzeigen(kind, "  Fehler :ue:berall  ", "/tmp/:ue:/a.db"); // the detail stays as given
        });
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[0].icon, icon);
        QCOMPARE(seen[0].title, "Tavorin");
        QCOMPARE(seen[0].text, QString::fromUtf8("  Es wurde kein Spieler ausgewählt.  "));
        QCOMPARE(seen[1].text, QString::fromUtf8("  Fehler überall  \n/tmp/:ue:/a.db"));
    }
}

void TestFrame::settingsDialog() {
    TempSettings env;
    auto w = startWindow();
    // Cancelled: nothing is written, and reopened the dialog shows the values in effect.
    const QByteArray before = fileContent(env.configPath());
    inSettings(*w, [](QWidget* d) {
        find<QLineEdit>(*d, "name1LineEdit")->setText("Anders");
        find<QRadioButton>(*d, "zweiterNameRadioButton")->click();
        find<QPushButton>(*d, "abbrechenButton")->click();
    });
    QCOMPARE(fileContent(env.configPath()), before);

    const QList<SeenMessage> messages = inSettings(*w, [](QWidget* d) {
        QCOMPARE(find<QLineEdit>(*d, "name1LineEdit")->text(), "dart'n-Forum Name");
        QCOMPARE(find<QLineEdit>(*d, "heimLineEdit")->text(), "Spieler 1");
        QCOMPARE(find<QLineEdit>(*d, "siegLineEdit")->text(), "2");
        QVERIFY(find<QRadioButton>(*d, "ersterNameRadioButton")->isChecked());
        find<QLineEdit>(*d, "heimLineEdit")->setText("Haus");
        find<QLineEdit>(*d, "siegLineEdit")->setText("3");
        find<QRadioButton>(*d, "zweiterNameRadioButton")->click();
        QTest::keyClick(find<QLineEdit>(*d, "siegLineEdit"), Qt::Key_Return); // the default button saves
    });
    QVERIFY(messages.isEmpty());
    QSettings file(env.configPath(), QSettings::IniFormat);
    QCOMPARE(file.value("bezeichnungen/heim").toString(), "Haus");
    QCOMPARE(file.value("bezeichnungen/gast").toString(), "Spieler 2"); // the field showed this run's caption
    QCOMPARE(file.value("bezeichnungen/anzeige").toString(), "true");
    QCOMPARE(file.value("punkte/PunkteGewonnen").toString(), "3");
    QCOMPARE(file.value("dateipfad/dbpfad").toString(), env.defaultDatabase());
    // Captions take effect at the next start.
    QCOMPARE(headers(*w, "ergebnisseTableWidget").at(2), "Spieler 1");
    QVERIFY(w->findChildren<QDialog*>().isEmpty());
}

void TestFrame::germanStandardDialogs() {
    QVERIFY(tavorin::installGermanTranslation(*qApp));
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Cancel | QMessageBox::Yes);
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), "Abbrechen");
    QCOMPARE(box.button(QMessageBox::Yes)->text(), "&Ja");
}

void TestFrame::windowStateRemembered() {
    TempSettings env;
    auto w = startWindow(nullptr, false);
    const QByteArray written = fileContent(env.configPath());
    find<QAction>(*w, "verwaltungAction")->trigger();
    w->setGeometry(40, 50, 900, 600);
    find<QAction>(*w, "beendenAction")->trigger();
    // The window's own group follows the others, which stay as they were written.
    QVERIFY(fileContent(env.configPath()).startsWith(written + "\n[fenster]\ngeometrie="));

    w = startWindow(nullptr, false);
    QCOMPARE(w->geometry(), QRect(40, 50, 900, 600));
    QCOMPARE(tabTitles(*w).size(), 7);
    QCOMPARE(find<QTabWidget>(*w, "hauptTabWidget")->currentIndex(), 0);
    find<QAction>(*w, "verwaltungAction")->trigger();
    w->showMaximized();
    w->close();
    w = startWindow(nullptr, false);
    QVERIFY(w->isMaximized() && !find<QAction>(*w, "verwaltungAction")->isChecked());
}

void TestFrame::enterInForms_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("message"); // what the action behind the field says while all fields are empty
    QTest::newRow("add player") << "spielerNeuName2LineEdit"
                                << QString::fromUtf8("  Es müssen beide Textfelder ausgefüllt werden.  ");
    QTest::newRow("rename player") << "spielerBearbeitenName1LineEdit"
                                   << QString::fromUtf8("  Es wurde kein Spieler ausgewählt.  ");
    QTest::newRow("add league") << "ligaNeuLineEdit"
                                << QString::fromUtf8("  Es muss eine Bezeichnung für die Liga angegeben werden.  ");
    QTest::newRow("rename league") << "ligaBearbeitenLineEdit"
                                   << QString::fromUtf8("  Es wurde keine Liga ausgewählt.  ");
    QTest::newRow("save result") << "ergebnisRechtsBestLegLineEdit"
                                 << QString::fromUtf8("  Es ist kein gültiger Spielstand eingegeben worden!  ");
}

void TestFrame::enterInForms() {
    QFETCH(QString, field);
    QFETCH(QString, message);
    LeagueTestEnv env({"INSERT INTO tv_spieler (id, dartn_name, prodarter_name) VALUES (1, 'A', 'a'), (2, 'B', 'b')",
                       "INSERT INTO tv_spieltage (id, liga, spieltag, heim, gast) VALUES (1, 1, 1, 1, 2)",
                       "INSERT INTO tv_ligen (id, liga_name) VALUES (1, 'Nord')"});
    auto w = startWindow();
    clickCell(find<QTableWidget>(*w, "ergebnisseTableWidget"), 0, 1); // the result form takes input
    auto* edit = find<QLineEdit>(*w, field.toLatin1().constData());
    const QList<SeenMessage> seen = answerModals([&] { QTest::keyClick(edit, Qt::Key_Return); });
    QVERIFY(seen.size() == 1 && seen[0].text == message);
}

void TestFrame::tabsByKeyboard() {
    TempSettings env;
    auto w = startWindow(nullptr, false);
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    auto* tabs = find<QTabWidget>(*w, "hauptTabWidget");
    // A table would take Ctrl+Tab for itself: the window's shortcuts come first.
    auto* table = find<QTableWidget>(*w, "ergebnisseTableWidget");
    QString visited;
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Backtab}) {
        QTest::keyClick(table, key, Qt::ControlModifier | (key == Qt::Key_Tab ? Qt::NoModifier : Qt::ShiftModifier));
        visited += QString::number(tabs->currentIndex());
    }
    QCOMPARE(visited, "12021");
}

QTEST_MAIN(TestFrame)
#include "tst_frame.moc"
