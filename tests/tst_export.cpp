// The three forum-code windows: their initial states, the options they store, the code they show, its
// preview, the clipboard and the CSV and PDF files.
#include "guitest.h"
#include "testenv.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QColorDialog>
#include <QDate>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTextEdit>

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

QString code(QWidget* dialog) {
    return find<QTextEdit>(*dialog, "codeTextEdit")->toPlainText();
}
void click(QWidget* dialog, const char* name) {
    find<QAbstractButton>(*dialog, name)->click();
}
// The checked states of the named buttons, as "1" or "0" each.
QString checked(QWidget* dialog, std::initializer_list<const char*> names) {
    QString out;
    for (const char* name : names)
        out += find<QAbstractButton>(*dialog, name)->isChecked() ? '1' : '0';
    return out;
}
void copyAndCompare(QWidget* dialog) {
    click(dialog, "kopierenButton");
    QCOMPARE(QGuiApplication::clipboard()->text(), code(dialog));
}

// The file that a file dialog opened by a test is answered with.
QString fileToSave;

// Opens export window `action` from its own tab (the only one where it is enabled) and runs `check` on
// it; the window is closed at the end. A colour dialog opened meanwhile goes to `colours`, a file dialog
// is answered with fileToSave.
void withWindow(const MainWindow& w, const char* action, const std::function<void(QWidget*)>& check,
                const std::function<void(QColorDialog*)>& colours = {}) {
    const QStringList tabs = {"spielplanCodeAction", "tabelleCodeAction", "statistikCodeAction"};
    find<QTabWidget>(w, "hauptTabWidget")->setCurrentIndex(int(tabs.indexOf(QLatin1StringView(action))));
    bool seen = false;
    answerModals([&] { find<QAction>(w, action)->trigger(); },
                 [&](QWidget* dialog) {
                     if (auto* colourDialog = qobject_cast<QColorDialog*>(dialog))
                         return colours(colourDialog);
                     if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
                         files->findChild<QLineEdit*>()->clearFocus(); // a focused name field ignores selectFile
                         files->selectFile(fileToSave);
                         return static_cast<QDialog*>(files)->accept();
                     }
                     seen = true;
                     check(dialog);
                     if (dialog->isVisible())
                         click(dialog, "schliessenButton");
                 });
    QVERIFY(seen);
}

QByteArray fileContent(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

class TestExport : public QObject {
    Q_OBJECT

private slots:
    void init() { env = std::make_unique<LeagueTestEnv>(seedData); }
    void cleanup() { env.reset(); }

    void firstStartStatesAndStoredOptions();
    void laterStartScheduleCodeAndColourChoice();
    void previewAndFiles();

private:
    QString config(const char* key) const {
        return QSettings(env->configPath(), QSettings::IniFormat)
            .value(QStringLiteral("exportfenster/") + key)
            .toString();
    }
    std::unique_ptr<LeagueTestEnv> env;
};

void TestExport::firstStartStatesAndStoredOptions() {
    auto w = startWindow();
    withWindow(*w, "statistikCodeAction", [&](QWidget* d) {
        QCOMPARE(checked(d, {"linksRadioButton"}), "1");
        QVERIFY(code(d).contains("> Best Leg</th></tr>\n"));
        click(d, "datumCheckBox");
        QCOMPARE(config("StatAktDatum") + config("TabAktDatum"), "truefalse");
        click(d, "datumCheckBox");
        click(d, "linksZentriertRadioButton");
        QCOMPARE(config("StatLinksZentriert") + config("StatLinks"), "truefalse");
        click(d, "bbcodeRadioButton");
        QVERIFY(code(d).startsWith("[align=center][table='Platz,Name,20-,20+,40+,60+,80+,100+,140+,171+,180,"
                                   "Highest Finish, Best Leg']\n[*]1[*][align=left]A<&\"[/align]"));
        copyAndCompare(d);
    });
    // Every generation rewrites stored best legs of 0.
    QCOMPARE(env->value("SELECT quote(bestleg) FROM tv_ergebnisse WHERE spieler_id = 2"), "''");

    withWindow(*w, "tabelleCodeAction", [&](QWidget* d) {
        QCOMPARE(checked(d, {"htmlRadioButton", "linksRadioButton", "name1CheckBox", "name2CheckBox",
                             "prozentRadioButton", "datumCheckBox"}),
                 "111010");
        QCOMPARE(find<QLineEdit>(*d, "breiteLineEdit")->text(), "100");
        QCOMPARE(find<QComboBox>(*d, "staerkeComboBox")->currentText(), "1");
        QCOMPARE(find<QLineEdit>(*d, "linieFarbeLineEdit")->text(), "#000000");
        QVERIFY(code(d).startsWith("<table cellspacing=\"0\" style=\"width:100%; border-top:1px solid #000000;"));
        QVERIFY(code(d).contains("Doppelquote</th></tr>\n<tr>"));
        find<QComboBox>(*d, "staerkeComboBox")->setCurrentText("3");
        QCOMPARE(config("linieB1"), "3");
        QVERIFY(code(d).contains("border-top:3px solid #000000"));
        click(d, "pixelRadioButton");
        find<QLineEdit>(*d, "breiteLineEdit")->setText("600");
        QCOMPARE(config("TabBreite1Value") + config("TabBreite1Pixel") + config("TabBreite1Prozent"), "600truefalse");
        QVERIFY(code(d).contains("width:600px; border-top:"));
        find<QLineEdit>(*d, "breiteLineEdit")->clear();
        QVERIFY(code(d).contains("width:; border-top:"));
        QTest::keyClicks(find<QLineEdit>(*d, "breiteLineEdit"), "80%"); // whole numbers only
        QCOMPARE(config("TabBreite1Value"), "80");
        find<QLineEdit>(*d, "breiteLineEdit")->clear();
        click(d, "zentriertRadioButton");
        QCOMPARE(config("TabZentriert") + config("TabLinks"), "truefalse");
        click(d, "name2CheckBox");
        QCOMPARE(config("name1b"), "true");
        QVERIFY(code(d).contains("A&lt;&amp;&quot; (a)</td>"));
        click(d, "datumCheckBox");
        QCOMPARE(config("TabAktDatum") + config("StatAktDatum"), "truefalse");
        QVERIFY(code(d).startsWith("<div style=\"font-size:0.8em; font-weight:bold;\">aktualisiert am: " +
                                   QDate::currentDate().toString("dd.MM.yyyy") + " um: "));
        click(d, "bbcodeRadioButton");
        QVERIFY(code(d).startsWith("[align=center][table='Platz,Name,Spiele,G,U,V,Legs,Punkte,AVG,Doppelquote']\n"));
        QVERIFY(code(d).contains("[*]1[*]A<&\" (a)[*]1[*]1[*]0[*]0[*]6:4[*]2[*]60.50[*]33.33% (6/18)\n"));
        copyAndCompare(d);
    });
    // The next opening shows what was chosen (the format always starts on HTML).
    withWindow(*w, "tabelleCodeAction", [](QWidget* d) {
        QCOMPARE(checked(d, {"htmlRadioButton", "zentriertRadioButton", "pixelRadioButton"}), "111");
        QCOMPARE(find<QLineEdit>(*d, "breiteLineEdit")->text(), QString());
        QCOMPARE(find<QComboBox>(*d, "staerkeComboBox")->currentText(), "3");
    });
}

void TestExport::laterStartScheduleCodeAndColourChoice() {
    startWindow(); // from the next start on the file's values hold
    {
        QSettings s(env->configPath(), QSettings::IniFormat);
        s.setValue("plattformen/lidarts_web", "http://127.0.0.1:8080");
        s.remove("exportfenster/unentschieden");
    }
    auto w = startWindow();
    withWindow(*w, "statistikCodeAction", [](QWidget* d) {
        QCOMPARE(checked(d, {"linksRadioButton", "zentriertRadioButton", "linksZentriertRadioButton"}), "000");
        QVERIFY(!code(d).contains("text-align"));
    });
    withWindow(*w, "spielplanCodeAction", [](QWidget* d) {
        for (const char* part :
             {"\">Spieltag: 1</th>\n</tr>\n ", ">A&lt;&amp;&quot;</td>", ">offen</td>",
              "href=\"http://127.0.0.1:8080/game/q7Rk2xLp\" target=\"blank\"", " background-color:#ddffdd; \">\n"})
            QVERIFY2(code(d).contains(part), part);
        QVERIFY(!code(d).contains("A<&"));
        click(d, "bbcodeRadioButton");
        QCOMPARE(code(d), "[b][u]Spieltag: 1[/u][/b]\nA<&\"(60.50) [b]6:4[/b] B(50.00)\nC vs. D\n");
        click(d, "spielstandFettCheckBox");
        QCOMPARE(code(d), "[b][u]Spieltag: 1[/u][/b]\nA<&\"(60.50) 6:4 B(50.00)\nC vs. D\n");
        copyAndCompare(d);
    });

    QColor choice; // invalid: the colour dialog is cancelled
    QString title;
    withWindow(
        *w, "tabelleCodeAction",
        [&](QWidget* d) {
            QCOMPARE(checked(d, {"linksZentriertRadioButton", "linksRadioButton"}), "10");
            // Cancelled: nothing changes, nothing is written.
            const QByteArray before = fileContent(env->configPath());
            click(d, "linienfarbeButton");
            QCOMPARE(fileContent(env->configPath()), before);
            QCOMPARE(find<QLineEdit>(*d, "linieFarbeLineEdit")->text(), "#000000");
            // Chosen: the colour field, its swatch and the code follow, and all six keys are written.
            choice = QColor("#12ab34");
            click(d, "linienfarbeButton");
            QCOMPARE(title, QString::fromUtf8("Farbe wählen"));
            QCOMPARE(find<QLineEdit>(*d, "linieFarbeLineEdit")->text(), "#12ab34");
            QVERIFY(find<QLabel>(*d, "linieMusterLabel")->styleSheet().endsWith("background-color:#12ab34"));
            QVERIFY(code(d).contains("border-top:1px solid #12ab34"));
        },
        [&](QColorDialog* colours) {
            title = colours->windowTitle();
            if (!choice.isValid())
                return colours->reject();
            colours->setCurrentColor(choice);
            colours->accept();
        });
    QCOMPARE(config("linie1") + config("unentschieden") + config("linie3"), "#12ab34#ffffdd#000000");
}

void TestExport::previewAndFiles() {
    auto w = startWindow();
    withWindow(*w, "tabelleCodeAction", [&](QWidget* d) {
        const QTextEdit* preview = find<QTextEdit>(*d, "vorschauTextEdit");
        QVERIFY(preview->toPlainText().contains("A<&\""));
        QVERIFY(!preview->toPlainText().contains("A<&\" (a)"));
        click(d, "name2CheckBox");
        QVERIFY(preview->toPlainText().contains("A<&\" (a)"));
        click(d, "bbcodeRadioButton");
        QVERIFY(preview->toPlainText().contains("Platz\nName\n"));
        QVERIFY(!preview->toPlainText().contains("[*]"));

        fileToSave = env->root() + "/tabelle.csv";
        click(d, "csvButton");
        QVERIFY(fileContent(fileToSave).startsWith("\xEF\xBB\xBFPlatz;Name;Spiele;"));
        QVERIFY(fileContent(fileToSave).contains("\r\n1;\"A<&\"\" (a)\";1;1;0;0;6;4;2;60,50;33,33;6;18\r\n"));
        fileToSave = env->root() + "/tabelle.pdf";
        click(d, "pdfButton");
        const QByteArray pdf = fileContent(fileToSave);
        QVERIFY(pdf.startsWith("%PDF"));
        QVERIFY(pdf.contains(QByteArray("\0N\0o\0r\0d", 8))); // in the title, UTF-16 as PDF strings are
    });
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"
