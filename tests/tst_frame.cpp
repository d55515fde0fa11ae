// The main window as an organiser meets it: first and later starts, the tabs, the menus, messages and
// the settings dialog.
#include "app/mainwindow.h"
#include "app/translation.h"
#include "guitest.h"
#include "testenv.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <memory>

using guitest::startWindow;

namespace {

QStringList tabTitles(const MainWindow& w) {
    const auto* tabs = w.findChild<QTabWidget*>("hauptTabWidget");
    QStringList out;
    for (int i = 0; i < tabs->count(); ++i)
        out << tabs->tabText(i);
    return out;
}

QStringList headers(const MainWindow& w, const char* table) {
    return guitest::headerTexts(guitest::find<QTableWidget>(w, table));
}

QAction* action(const MainWindow& w, const char* name) {
    return w.findChild<QAction*>(name);
}

// Enabled states of the table-code, statistics-code and schedule-code actions.
QList<bool> codeActions(const MainWindow& w) {
    return {action(w, "tabelleCodeAction")->isEnabled(), action(w, "statistikCodeAction")->isEnabled(),
            action(w, "spielplanCodeAction")->isEnabled()};
}

QByteArray fileContent(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

class TestFrame : public QObject {
    Q_OBJECT

private slots:
    void firstStart();
    void laterStartUsesTheFile();
    void databaseThatCannotBeOpened();
    void administrationTabs();
    void codeActionsFollowTheTab();
    void menus();
    void quitClosesTheWindow();
    void messageKinds_data();
    void messageKinds();
    void settingsDialogStores();
    void settingsDialogCancels();
    void germanStandardDialogs();
};

void TestFrame::firstStart() {
    TempSettings env;
    QList<SeenMessage> messages;
    auto w = startWindow(&messages);
    QVERIFY(messages.isEmpty());
    QVERIFY(QFile::exists(env.configPath()));
    QVERIFY(QFile::exists(env.defaultDatabase()));
    QCOMPARE(w->windowTitle(), "Brenvik - Tavorin64 - Version 2.3.1 - " + env.defaultDatabase());
    QCOMPARE(w->minimumSize(), QSize(1200, 750));
    QVERIFY(w->isVisible());
    QCOMPARE(tabTitles(*w), QStringList({"  Ergebnisse  ", "  Tabelle  ", "  Statistik  "}));
    QCOMPARE(codeActions(*w), QList<bool>({false, false, true}));

    // The built-in captions hold for the whole first run.
    QCOMPARE(headers(*w, "ergebnisseTableWidget"),
             QStringList({"id", "Spieltag", "Spieler 1", "Spieler 2", "heimId", "gastId"}));
    QCOMPARE(headers(*w, "spielerTableWidget"), QStringList({"id", "dart'n-Forum Name", "Lidarts Name"}));
    QCOMPARE(headers(*w, "ligaTabelleTableWidget").size(), 9);
    QCOMPARE(headers(*w, "statistikTableWidget").last(), QStringLiteral("Best Leg"));
    QVERIFY(!w->findChild<QWidget*>("ergebnisFormularWidget")->isEnabled());
    QCOMPARE(w->findChild<QTabWidget*>("hauptTabWidget")->width(), 1200);
}

void TestFrame::laterStartUsesTheFile() {
    TempSettings env;
    startWindow();
    auto second = startWindow();
    QCOMPARE(headers(*second, "spielplanTableWidget"),
             QStringList({"id", "Spieltag", "Heim", "Gast", "heimId", "gastId"}));

    second.reset();
    {
        QSettings s(env.configPath(), QSettings::IniFormat);
        s.setValue("bezeichnungen/name1", "Forum");
        s.setValue("bezeichnungen/name2", "Online");
        s.remove("punkte");
    }
    auto third = startWindow();
    QCOMPARE(headers(*third, "spielerpoolTableWidget"), QStringList({"id", "Forum", "Online"}));
}

void TestFrame::databaseThatCannotBeOpened() {
    TempSettings env;
    const QString blocker = env.root() + "/kein-ordner";
    QFile(blocker).open(QIODevice::WriteOnly);
    const QString unusable = blocker + "/liga.db";
    QDir().mkpath(env.dir());
    {
        QSettings s(env.configPath(), QSettings::IniFormat);
        s.setValue("dateipfad/dbpfad", unusable);
    }
    QList<SeenMessage> messages;
    auto w = startWindow(&messages);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].icon, QMessageBox::Critical);
    QCOMPARE(messages[0].text, QString::fromUtf8("  Die Datenbank kann nicht geöffnet werden:  \n") + unusable);
    QVERIFY(w->isVisible());
    QVERIFY(w->windowTitle().endsWith(" - " + unusable));
    QCOMPARE(w->findChild<QTableWidget*>("spielerTableWidget")->rowCount(), 0);
}

void TestFrame::administrationTabs() {
    TempSettings env;
    auto w = startWindow();
    auto* tabs = w->findChild<QTabWidget*>("hauptTabWidget");
    QAction* verwaltung = action(*w, "verwaltungAction");
    QVERIFY(verwaltung->isCheckable());
    QVERIFY(!verwaltung->isChecked());

    verwaltung->trigger();
    QCOMPARE(tabTitles(*w), QStringList({"  Ergebnisse  ", "  Tabelle  ", "  Statistik  ", "  Spieler  ", "  Ligen  ",
                                         "  Zuordnung  ", "  Spieltage  "}));
    QCOMPARE(tabs->currentIndex(), 3);
    QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("spielerSeite"));

    verwaltung->trigger();
    QCOMPARE(tabTitles(*w), QStringList({"  Ergebnisse  ", "  Tabelle  ", "  Statistik  "}));

    // Hidden pages keep their widgets and come back as they were.
    QTableWidget* spieler = w->findChild<QTableWidget*>("spielerTableWidget");
    verwaltung->trigger();
    QCOMPARE(w->findChild<QTableWidget*>("spielerTableWidget"), spieler);
    QCOMPARE(tabs->widget(6)->objectName(), QStringLiteral("spieltageSeite"));
}

void TestFrame::codeActionsFollowTheTab() {
    TempSettings env;
    auto w = startWindow();
    auto* tabs = w->findChild<QTabWidget*>("hauptTabWidget");
    tabs->setCurrentIndex(1);
    QCOMPARE(codeActions(*w), QList<bool>({true, false, false}));
    action(*w, "verwaltungAction")->trigger(); // shows "Spieler": the actions stay as they were
    QCOMPARE(tabs->currentIndex(), 3);
    QCOMPARE(codeActions(*w), QList<bool>({true, false, false}));
    tabs->setCurrentIndex(2);
    QCOMPARE(codeActions(*w), QList<bool>({false, true, false}));
    tabs->setCurrentIndex(5);
    QCOMPARE(codeActions(*w), QList<bool>({false, true, false}));
    tabs->setCurrentIndex(0);
    QCOMPARE(codeActions(*w), QList<bool>({false, false, true}));
}

void TestFrame::menus() {
    TempSettings env;
    auto w = startWindow();
    QStringList texts;
    for (const char* name : {"dateiMenu", "bearbeitenMenu", "ansichtMenu"}) {
        auto* menu = w->findChild<QMenu*>(name);
        QStringList entries;
        for (QAction* a : menu->actions())
            entries << (a->isSeparator() ? QStringLiteral("-") : a->text());
        texts << menu->title() + ": " + entries.join(" | ");
    }
    QCOMPARE(texts, QStringList({
                        "Datei: Datenbank verbinden | Datenbank speichern unter... | - | Beenden",
                        "Bearbeiten: Tabelle als Foren-Code | Statistik als Foren-Code | Spielplan als Foren-Code | "
                        "- | Einstellungen",
                        "Ansicht: Verwaltung einblenden",
                    }));
}

void TestFrame::quitClosesTheWindow() {
    TempSettings env;
    auto w = startWindow();
    action(*w, "beendenAction")->trigger();
    QVERIFY(!w->isVisible());
}

void TestFrame::messageKinds_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("icon");
    QTest::newRow("1 question") << 1 << int(QMessageBox::Question);
    QTest::newRow("2 information") << 2 << int(QMessageBox::Information);
    QTest::newRow("3 warning") << 3 << int(QMessageBox::Warning);
    QTest::newRow("4 critical") << 4 << int(QMessageBox::Critical);
    QTest::newRow("0 warning") << 0 << int(QMessageBox::Warning);
    QTest::newRow("7 warning") << 7 << int(QMessageBox::Warning);
}

void TestFrame::messageKinds() {
    QFETCH(int, kind);
    QFETCH(int, icon);
    const QList<SeenMessage> seen =
        answerModals([&] { MainWindow::MeldungAnzeigen(kind, "  Es wurde kein Spieler ausgew:ae:hlt.  "); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(int(seen[0].icon), icon);
    QCOMPARE(seen[0].text, QString::fromUtf8("  Es wurde kein Spieler ausgewählt.  "));

    const QList<SeenMessage> detailed =
        answerModals([&] { MainWindow::MeldungAnzeigen(kind, "  Fehler :ue:berall  ", "/tmp/:ue:/a.db"); });
    QCOMPARE(detailed.value(0).text, QString::fromUtf8("  Fehler überall  \n/tmp/:ue:/a.db"));
}

void TestFrame::settingsDialogStores() {
    TempSettings env;
    auto w = startWindow();
    bool seenDialog = false;
    const QList<SeenMessage> messages =
        answerModals([&] { action(*w, "einstellungenAction")->trigger(); },
                     [&](QWidget* dialog) {
                         seenDialog = true;
                         QCOMPARE(dialog->windowTitle(), "Brenvik - Tavorin - Einstellungen");
                         QCOMPARE(dialog->size(), QSize(520, 460));
                         auto edit = [&](const char* name) { return dialog->findChild<QLineEdit*>(name); };
                         QCOMPARE(edit("heimLineEdit")->text(), "Spieler 1");
                         QCOMPARE(edit("siegLineEdit")->text(), "2");
                         QVERIFY(dialog->findChild<QRadioButton*>("ersterNameRadioButton")->isChecked());
                         edit("heimLineEdit")->setText("Haus");
                         edit("siegLineEdit")->setText("3");
                         dialog->findChild<QRadioButton*>("zweiterNameRadioButton")->click();
                         dialog->findChild<QPushButton*>("eintragenButton")->click();
                     });
    QVERIFY(seenDialog);
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

void TestFrame::settingsDialogCancels() {
    TempSettings env;
    auto w = startWindow();
    const QByteArray before = fileContent(env.configPath());
    answerModals([&] { action(*w, "einstellungenAction")->trigger(); },
                 [&](QWidget* dialog) {
                     dialog->findChild<QLineEdit*>("name1LineEdit")->setText("Anders");
                     dialog->findChild<QRadioButton*>("zweiterNameRadioButton")->click();
                     dialog->findChild<QPushButton*>("abbrechenButton")->click();
                 });
    QCOMPARE(fileContent(env.configPath()), before);
    // Reopened, the dialog shows the values in effect again.
    answerModals([&] { action(*w, "einstellungenAction")->trigger(); },
                 [&](QWidget* dialog) {
                     QCOMPARE(dialog->findChild<QLineEdit*>("name1LineEdit")->text(), "dart'n-Forum Name");
                     QVERIFY(dialog->findChild<QRadioButton*>("ersterNameRadioButton")->isChecked());
                     dialog->findChild<QPushButton*>("abbrechenButton")->click();
                 });
}

void TestFrame::germanStandardDialogs() {
    QVERIFY(tavorin::installGermanTranslation(*qApp));
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Cancel | QMessageBox::Yes);
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), "Abbrechen");
    QCOMPARE(box.button(QMessageBox::Yes)->text(), "&Ja");
}

QTEST_MAIN(TestFrame)
#include "tst_frame.moc"
