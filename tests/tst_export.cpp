// The three forum-code windows: their initial states, the options they store, the code they show and
// the clipboard.
#include "guitest.h"
#include "testenv.h"

#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QDate>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>

#include <functional>

using namespace guitest;

namespace {

// League "Nord": A (platform name with markup characters) won 6:4 against B, imported from Lidarts;
// C against D still open.
const QStringList seedData = {
    "INSERT INTO tv_spieler (id, dartn_name, prodarter_name) VALUES (1, 'A<&\"', 'a'), (2, 'B', 'b'), (3, 'C', 'c'), "
    "(4, 'D', 'd')",
    "INSERT INTO tv_ligen (id, liga_name) VALUES (1, 'Nord')",
    "INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (1, 1), (2, 1), (3, 1), (4, 1)",
    "INSERT INTO tv_spieltage (id, liga, spieltag, heim, gast) VALUES (1, 1, 1, 1, 2), (2, 1, 1, 3, 4)",
    "INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, gewonnen, verloren, legs_won, legs_lost, pkt, ave, douba, "
    "doubb, p180, hf, bestleg, hash, plat) VALUES (1, 1, 1, 0, 6, 4, 2, 60.5, 6, 18, 2, 121, 15, 'q7Rk2xLp', "
    "'lidarts'), (1, 2, 0, 1, 4, 6, 0, 50, 0, 0, 0, 40, 0, 'q7Rk2xLp', 'lidarts')",
};

template <typename T> T* in(QWidget* dialog, const char* name) {
    T* child = dialog->findChild<T*>(QLatin1StringView(name));
    if (!child)
        qFatal("no %s in the export window", name);
    return child;
}

QString code(QWidget* dialog) {
    return in<QTextEdit>(dialog, "codeTextEdit")->toPlainText();
}

// Opens export window `action` and runs `check` on it; `check` may run further steps later through
// `then`. The window is closed at the end.
void withWindow(const MainWindow& w, const char* action, const std::function<void(QWidget*)>& check) {
    // The code actions are enabled on their own tab only: table on "Tabelle", statistics on "Statistik",
    // schedule on "Ergebnisse".
    const QByteArray name(action);
    find<QTabWidget>(w, "hauptTabWidget")
        ->setCurrentIndex(name.startsWith("tabelle")     ? 1
                          : name.startsWith("statistik") ? 2
                                                         : 0);
    bool seen = false;
    answerModals([&] { find<QAction>(w, action)->trigger(); },
                 [&](QWidget* dialog) {
                     if (seen)
                         return; // a colour dialog is answered by the test itself
                     seen = true;
                     check(dialog);
                     if (dialog->isVisible())
                         in<QPushButton>(dialog, "schliessenButton")->click();
                 });
    QVERIFY(seen);
}

// Answers the next colour dialog with `answer`. A timer of its own does it, because the dialog opens while
// the test's dialog handler is still running.
void whenColourDialogOpens(const std::function<void(QColorDialog*)>& answer) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        if (auto* colours = qobject_cast<QColorDialog*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(colours);
        }
    });
    poll->start();
}

QString config(const QString& path, const char* key) {
    return QSettings(path, QSettings::IniFormat).value(QStringLiteral("exportfenster/") + key).toString();
}

} // namespace

class TestExport : public QObject {
    Q_OBJECT

private slots:
    void init() {
        env = std::make_unique<TempSettings>();
        newLeagueDatabase(env->defaultDatabase(), seedData);
    }
    void cleanup() { env.reset(); }

    void firstAndLaterStartStates();
    void tableCodeOptionsAreStored();
    void statisticsDateAndAlignment();
    void colourChoiceRewritesAllColours();
    void scheduleCodeWithLinkAndEscapedNames();

private:
    std::unique_ptr<TempSettings> env;
};

void TestExport::firstAndLaterStartStates() {
    auto w = startWindow();
    withWindow(*w, "tabelleCodeAction", [](QWidget* d) {
        QCOMPARE(d->size(), QSize(600, 800));
        QVERIFY(in<QRadioButton>(d, "htmlRadioButton")->isChecked());
        QVERIFY(in<QRadioButton>(d, "linksRadioButton")->isChecked());
        QVERIFY(in<QCheckBox>(d, "name1CheckBox")->isChecked());
        QVERIFY(!in<QCheckBox>(d, "name2CheckBox")->isChecked());
        QCOMPARE(in<QLineEdit>(d, "breiteLineEdit")->text(), "100");
        QVERIFY(in<QRadioButton>(d, "prozentRadioButton")->isChecked());
        QCOMPARE(in<QComboBox>(d, "staerkeComboBox")->currentText(), "1");
        QCOMPARE(in<QLineEdit>(d, "linieFarbeLineEdit")->text(), "#000000");
        QVERIFY(!in<QCheckBox>(d, "datumCheckBox")->isChecked());
    });
    withWindow(*w, "statistikCodeAction",
               [](QWidget* d) { QVERIFY(in<QRadioButton>(d, "linksRadioButton")->isChecked()); });

    // From the next start on the file's values hold.
    w.reset();
    w = startWindow();
    withWindow(*w, "tabelleCodeAction", [](QWidget* d) {
        QVERIFY(in<QRadioButton>(d, "linksZentriertRadioButton")->isChecked());
        QVERIFY(!in<QRadioButton>(d, "linksRadioButton")->isChecked());
    });
    withWindow(*w, "statistikCodeAction", [](QWidget* d) {
        for (const char* name : {"linksRadioButton", "zentriertRadioButton", "linksZentriertRadioButton"})
            QVERIFY(!in<QRadioButton>(d, name)->isChecked());
        QVERIFY(!code(d).contains("text-align"));
    });
}

void TestExport::tableCodeOptionsAreStored() {
    auto w = startWindow();
    const QString path = env->configPath();
    withWindow(*w, "tabelleCodeAction", [&](QWidget* d) {
        QVERIFY(code(d).startsWith("<table cellspacing=\"0\" style=\"width:100%; border-top:1px solid #000000;"));
        QVERIFY(code(d).contains("Doppelquote</th></tr>\n<tr>"));

        in<QComboBox>(d, "staerkeComboBox")->setCurrentText("3");
        QCOMPARE(config(path, "linieB1"), "3");
        QVERIFY(code(d).contains("border-top:3px solid #000000"));

        in<QRadioButton>(d, "pixelRadioButton")->click();
        in<QLineEdit>(d, "breiteLineEdit")->setText("600");
        QCOMPARE(config(path, "TabBreite1Value"), "600");
        QCOMPARE(config(path, "TabBreite1Pixel"), "true");
        QCOMPARE(config(path, "TabBreite1Prozent"), "false");
        QVERIFY(code(d).contains("width:600px; border-top:"));
        in<QLineEdit>(d, "breiteLineEdit")->clear();
        QVERIFY(code(d).contains("width:; border-top:"));

        in<QRadioButton>(d, "zentriertRadioButton")->click();
        QCOMPARE(config(path, "TabZentriert"), "true");
        QCOMPARE(config(path, "TabLinks"), "false");

        in<QCheckBox>(d, "name2CheckBox")->click();
        QCOMPARE(config(path, "name1b"), "true");
        QVERIFY(code(d).contains("A&lt;&amp;&quot; (a)</td>"));

        in<QCheckBox>(d, "datumCheckBox")->click();
        QCOMPARE(config(path, "TabAktDatum"), "true");
        QCOMPARE(config(path, "StatAktDatum"), "false");
        QVERIFY(code(d).startsWith("<div style=\"font-size:0.8em; font-weight:bold;\">aktualisiert am: " +
                                   QDate::currentDate().toString("dd.MM.yyyy") + " um: "));

        in<QRadioButton>(d, "bbcodeRadioButton")->click();
        QVERIFY(code(d).startsWith("[align=center][table='Platz,Name,Spiele,G,U,V,Legs,Punkte,AVG,Doppelquote']\n"));
        QVERIFY(code(d).contains("[*]1[*]A<&\" (a)[*]1[*]1[*]0[*]0[*]6:4[*]2[*]60.50[*]33.33% (6/18)\n"));

        in<QPushButton>(d, "kopierenButton")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), code(d));
    });

    // The next opening shows what was chosen (the format always starts on HTML).
    withWindow(*w, "tabelleCodeAction", [](QWidget* d) {
        QVERIFY(in<QRadioButton>(d, "htmlRadioButton")->isChecked());
        QVERIFY(in<QRadioButton>(d, "zentriertRadioButton")->isChecked());
        QVERIFY(in<QRadioButton>(d, "pixelRadioButton")->isChecked());
        QCOMPARE(in<QLineEdit>(d, "breiteLineEdit")->text(), QString());
        QCOMPARE(in<QComboBox>(d, "staerkeComboBox")->currentText(), "3");
    });
}

void TestExport::statisticsDateAndAlignment() {
    auto w = startWindow();
    const QString path = env->configPath();
    withWindow(*w, "statistikCodeAction", [&](QWidget* d) {
        QVERIFY(code(d).contains("> Best Leg</th></tr>\n"));
        in<QCheckBox>(d, "datumCheckBox")->click();
        QCOMPARE(config(path, "StatAktDatum"), "true");
        QCOMPARE(config(path, "TabAktDatum"), "false");
        in<QRadioButton>(d, "linksZentriertRadioButton")->click();
        QCOMPARE(config(path, "StatLinksZentriert"), "true");
        QCOMPARE(config(path, "StatLinks"), "false");
        in<QRadioButton>(d, "bbcodeRadioButton")->click();
        QVERIFY(code(d).startsWith("[align=center][table='Platz,Name,20-,20+,40+,60+,80+,100+,140+,171+,180,"
                                   "Highest Finish, Best Leg']\n[*]1[*][align=left]A<&\"[/align]"));
        in<QPushButton>(d, "kopierenButton")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), code(d));
    });
    // Every generation rewrites stored best legs of 0.
    DbPeek peek(env->defaultDatabase());
    QCOMPARE(peek.value("SELECT quote(bestleg) FROM tv_ergebnisse WHERE spieler_id = 2"), "''");
}

void TestExport::colourChoiceRewritesAllColours() {
    startWindow();
    {
        QSettings s(env->configPath(), QSettings::IniFormat);
        s.remove("exportfenster/unentschieden");
    }
    auto w = startWindow();
    const QString path = env->configPath();
    QFile file(path);

    withWindow(*w, "tabelleCodeAction", [&](QWidget* d) {
        auto* button = in<QPushButton>(d, "linienfarbeButton");
        // Cancelled: nothing changes, nothing is written.
        file.open(QIODevice::ReadOnly);
        const QByteArray before = file.readAll();
        file.close();
        whenColourDialogOpens([](QColorDialog* colours) { colours->reject(); });
        button->click();
        file.open(QIODevice::ReadOnly);
        QCOMPARE(file.readAll(), before);
        file.close();
        QCOMPARE(in<QLineEdit>(d, "linieFarbeLineEdit")->text(), "#000000");

        // Chosen: the window's colour field, its swatch and the code follow, all six keys are written.
        QString title;
        whenColourDialogOpens([&](QColorDialog* colours) {
            title = colours->windowTitle();
            colours->setCurrentColor(QColor("#12ab34"));
            colours->accept();
        });
        button->click();
        QCOMPARE(title, QString::fromUtf8("Farbe wählen"));
        QCOMPARE(in<QLineEdit>(d, "linieFarbeLineEdit")->text(), "#12ab34");
        QVERIFY(in<QLabel>(d, "linieMusterLabel")->styleSheet().endsWith("background-color:#12ab34"));
        QVERIFY(code(d).contains("border-top:1px solid #12ab34"));
    });
    QCOMPARE(config(path, "linie1"), "#12ab34");
    QCOMPARE(config(path, "unentschieden"), "#ffffdd");
    QCOMPARE(config(path, "linie3"), "#000000");
}

void TestExport::scheduleCodeWithLinkAndEscapedNames() {
    startWindow();
    {
        QSettings s(env->configPath(), QSettings::IniFormat);
        s.setValue("plattformen/lidarts_web", "http://127.0.0.1:8080");
    }
    auto w = startWindow();
    withWindow(*w, "spielplanCodeAction", [](QWidget* d) {
        const QString html = code(d);
        QVERIFY(html.contains("\">Spieltag: 1</th>\n</tr>\n "));
        QVERIFY(html.contains("href=\"http://127.0.0.1:8080/game/q7Rk2xLp\" target=\"blank\""));
        QVERIFY(html.contains(">A&lt;&amp;&quot;</td>"));
        QVERIFY(html.contains(">offen</td>"));
        QVERIFY(html.contains(" background-color:#ddffdd; \">\n"));
        QVERIFY(!html.contains("A<&"));

        in<QRadioButton>(d, "bbcodeRadioButton")->click();
        QCOMPARE(code(d), "[b][u]Spieltag: 1[/u][/b]\nA<&\"(60.50) [b]6:4[/b] B(50.00)\nC vs. D\n");
        in<QCheckBox>(d, "spielstandFettCheckBox")->click();
        QCOMPARE(code(d), "[b][u]Spieltag: 1[/u][/b]\nA<&\"(60.50) 6:4 B(50.00)\nC vs. D\n");
        in<QPushButton>(d, "kopierenButton")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), code(d));
    });
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"
