// The three forum-code windows: the option each widget stores under its window's key and shows again (the
// format too, with the options it disables), the code they show (its bytes are tested in tst_forumcode), the
// preview, the clipboard, the CSV and PDF files, names without control characters in every output.
#include "guitest.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QColorDialog>
#include <QDate>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextEdit>

using namespace guitest;

namespace {

// League "Nord": A (markup and a right-to-left override in the forum name, which no output shows) won 6:4
// against B, imported from Lidarts; C against D open.
const QStringList seedData =
    leagueSeed({"A<&\"\u202e:a", "B", "C", "D"}, {"1:1:2", "1:3:4"})
    << "INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, gewonnen, verloren, legs_won, legs_lost, pkt, ave, douba, "
       "doubb, p180, hf, bestleg, hash, plat) VALUES (1, 1, 1, 0, 6, 4, 2, 60.5, 6, 18, 2, 121, 15, 'q7Rk2xLp', "
       "'lidarts'), (1, 2, 0, 1, 4, 6, 0, 50, 0, 0, 0, 40, 0, 'q7Rk2xLp', 'lidarts')";

QString code(QWidget* dialog) {
    return find<QPlainTextEdit>(*dialog, "codeTextEdit")->toPlainText();
}
void click(QWidget* dialog, const char* name) {
    find<QAbstractButton>(*dialog, name)->click();
}
// Opens export window `action` from its own tab (the only one where it is enabled) and runs `check` on it;
// the window is closed at the end. A colour dialog opened meanwhile is answered with `colour`.
void withWindow(const MainWindow& w, const QString& action, const std::function<void(QWidget*)>& check,
                const QColor& colour = {}) {
    const QStringList tabs = {"spielplanCodeAction", "tabelleCodeAction", "statistikCodeAction"};
    find<QTabWidget>(w, "hauptTabWidget")->setCurrentIndex(int(tabs.indexOf(action)));
    bool seen = false;
    answerModals([&] { find<QAction>(w, action)->trigger(); },
                 [&](QWidget* dialog) {
                     if (auto* colours = qobject_cast<QColorDialog*>(dialog)) {
                         colours->setCurrentColor(colour);
                         return colours->accept();
                     }
                     seen = true;
                     check(dialog);
                     if (dialog->isVisible())
                         click(dialog, "schliessenButton");
                 });
    QVERIFY(seen);
}

} // namespace

class TestExport : public QObject {
    Q_OBJECT

private slots:
    void init() { env = std::make_unique<LeagueTestEnv>(seedData); }
    void cleanup() { env.reset(); }

    void optionKeys_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("widget");
        QTest::addColumn<QString>("value"); // typed, chosen or picked as a colour; a button is clicked
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("part"); // of the code afterwards
        const QString table = "tabelleCodeAction", statistics = "statistikCodeAction", schedule = "spielplanCodeAction";
        const QString date = "aktualisiert am: " + QDate::currentDate().toString("dd.MM.yyyy");
        const auto row = [](const QString& action, const char* widget, const char* value, const char* key,
                            const char* stored, const QString& part) {
            QTest::addRow("%s %s %s", qPrintable(action), widget, value)
                << action << widget << value << key << stored << part;
        };
        row(table, "datumCheckBox", "", "TabAktDatum", "true", date);
        row(statistics, "datumCheckBox", "", "StatAktDatum", "true", date);
        row(schedule, "datumCheckBox", "", "StagAktDatum", "true", date);
        row(table, "staerkeComboBox", "3", "linieB1", "3", "border-top:3px solid #000000");
        row(schedule, "staerkeComboBox", "5", "linieB3", "5", "border-top:5px solid #000000");
        row(table, "pixelRadioButton", "", "TabBreite1Pixel", "true", "width:100px;");
        row(statistics, "breiteLineEdit", "80%", "TabBreite2Value", "80", "width:80%;"); // whole numbers only
        row(table, "zentriertRadioButton", "", "TabZentriert", "true", " text-align:center; \">A&lt;");
        row(statistics, "linksZentriertRadioButton", "", "StatLinksZentriert", "true", " text-align:left; \">A&lt;");
        row(table, "name2CheckBox", "", "name1b", "true", ">A&lt;&amp;&quot; (a)</td>");
        row(schedule, "name2CheckBox", "", "name3b", "true", ">A&lt;&amp;&quot; (a)</td>");
        row(table, "linienfarbeButton", "#12ab34", "linie1", "#12ab34", "border-top:1px solid #12ab34");
        row(statistics, "linienfarbeButton", "#12ab35", "linie2", "#12ab35", "border-top:1px solid #12ab35");
        row(schedule, "linienfarbeButton", "#12ab36", "linie3", "#12ab36", "border-top:1px solid #12ab36");
        row(schedule, "unentschiedenButton", "#111111", "unentschieden", "#111111", QString());
        row(schedule, "gewonnenButton", "#222222", "gewonnen", "#222222", " background-color:#222222; ");
        row(schedule, "verlorenButton", "#333333", "verloren", "#333333", " background-color:#333333; ");
    }
    // Each window stores its options under keys of its own number, and its code follows at once.
    void optionKeys() {
        QFETCH(QString, action);
        QFETCH(QString, widget);
        QFETCH(QString, value);
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(QString, part);
        auto w = startWindow();
        withWindow(
            *w, action,
            [&](QWidget* d) {
                if (auto* box = d->findChild<QComboBox*>(widget))
                    box->setCurrentText(value);
                else if (auto* edit = d->findChild<QLineEdit*>(widget)) {
                    edit->clear();
                    QTest::keyClicks(edit, value);
                } else
                    click(d, qPrintable(widget));
                QCOMPARE(config(key), stored);
                QVERIFY2(code(d).contains(part), qPrintable(code(d)));
            },
            QColor(value));
    }
    void statesStoredAndRestored() {
        auto w = startWindow();
        withWindow(*w, "tabelleCodeAction", [](QWidget* d) {
            click(d, "zentriertRadioButton");
            click(d, "pixelRadioButton");
            find<QComboBox>(*d, "staerkeComboBox")->setCurrentText("3");
            find<QLineEdit>(*d, "breiteLineEdit")->clear();
            click(d, "bbcodeRadioButton");
        });
        QCOMPARE(config("format1"), "bbcode");
        QCOMPARE(config("format2"), QString());
        // The next opening shows what was chosen, the format too; in BB-Code the options only HTML uses are
        // disabled, and those only BB-Code uses in HTML.
        const auto enabled = [](QWidget* d, const QStringList& names) {
            QStringList out;
            for (const QString& name : names)
                out << find<QWidget>(*d, name)->toolTip() + (find<QWidget>(*d, name)->isEnabled() ? "+" : "-");
            return out.join(' ');
        };
        withWindow(*w, "tabelleCodeAction", [&](QWidget* d) {
            for (const char* name : {"bbcodeRadioButton", "zentriertRadioButton", "pixelRadioButton"})
                QVERIFY(find<QAbstractButton>(*d, name)->isChecked());
            QVERIFY(code(d).startsWith("[align=center][table="));
            QCOMPARE(find<QLineEdit>(*d, "breiteLineEdit")->text(), QString());
            QCOMPARE(find<QComboBox>(*d, "staerkeComboBox")->currentText(), "3");
            const QStringList htmlOnly = {"breiteGroupBox", "staerkeComboBox", "linieFarbeLineEdit",
                                          "linienfarbeButton", "datumCheckBox"};
            QCOMPARE(enabled(d, htmlOnly), QString("nur für HTML- ").repeated(5).chopped(1));
            click(d, "htmlRadioButton");
            QCOMPARE(enabled(d, {"breiteGroupBox", "datumCheckBox"}), "nur für HTML+ nur für HTML+");
        });
        withWindow(*w, "spielplanCodeAction", [&](QWidget* d) {
            QCOMPARE(enabled(d, {"farbenGroupBox", "formatierungGroupBox"}), "nur für HTML+ nur für BB-Code-");
        });
        QCOMPARE(config("format1"), "html");
    }
    // The preview breaks a line only between words, also where a table is narrower than its captions.
    void previewKeepsWords() {
        auto w = startWindow();
        withWindow(*w, "statistikCodeAction", [](QWidget* d) {
            QTextDocument* preview = find<QTextEdit>(*d, "vorschauTextEdit")->document();
            QTRY_VERIFY(preview->toPlainText().contains("Platz"));
            preview->setTextWidth(40);
            for (QTextBlock b = preview->begin(); b.isValid(); b = b.next()) {
                preview->documentLayout()->blockBoundingRect(b);
                for (int i = 1; i < b.layout()->lineCount(); ++i)
                    QVERIFY2(b.text().at(b.layout()->lineAt(i).textStart() - 1).isSpace(), qPrintable(b.text()));
            }
        });
    }
    void codeClipboardAndPreview() {
        startWindow();
        env->setConfig("plattformen/lidarts_web", "http://127.0.0.1:8080");
        auto w = startWindow();
        withWindow(*w, "spielplanCodeAction", [](QWidget* d) {
            QVERIFY(code(d).contains("href=\"http://127.0.0.1:8080/game/q7Rk2xLp\" target=\"blank\""));
            click(d, "bbcodeRadioButton");
            QCOMPARE(code(d), "[b][u]Spieltag: 1[/u][/b]\nA<&\"(60.50) [b]6:4[/b] B(50.00)\nC vs. D\n");
            click(d, "spielstandFettCheckBox");
            QCOMPARE(code(d), "[b][u]Spieltag: 1[/u][/b]\nA<&\"(60.50) 6:4 B(50.00)\nC vs. D\n");
            click(d, "kopierenButton");
            QCOMPARE(QGuiApplication::clipboard()->text(), code(d));
        });
        // The preview follows the code once it rests.
        withWindow(*w, "tabelleCodeAction", [](QWidget* d) {
            const QTextEdit* preview = find<QTextEdit>(*d, "vorschauTextEdit");
            QTRY_VERIFY(preview->toPlainText().contains("A<&\"\n1\n"));
            click(d, "name2CheckBox");
            QTRY_VERIFY(preview->toPlainText().contains("A<&\" (a)\n1\n"));
            click(d, "bbcodeRadioButton");
            QTRY_VERIFY(preview->toPlainText().contains("Platz\nName\n"));
            QVERIFY(!preview->toPlainText().contains("[*]"));
        });
    }
    void files() {
        auto w = startWindow();
        QCOMPARE(columnTexts(find<QTableView>(*w, "ligaTabelleTableWidget"), 0).value(0), "A<&\" (a)");
        FileAnswer csv(env->root() + "/tabelle.csv");
        withWindow(*w, "tabelleCodeAction", [](QWidget* d) {
            click(d, "name2CheckBox");
            click(d, "csvButton");
        });
        // Proposed beside the league database, named after the window and the league.
        QCOMPARE(csv.asked.size(), 1);
        QCOMPARE(QStringList({csv.asked[0].title, csv.asked[0].start, csv.asked[0].filter}),
                 QStringList({"Als CSV speichern", env->dir() + "/Tabelle Nord.csv", "(*.csv)"}));
        QVERIFY(fileContent(csv.path).contains("\r\n1;\"A<&\"\" (a)\";1;1;0;0;6;4;2;60,50;33,33;6;18\r\n"));

        csv.path = env->root() + "/tabelle.pdf";
        withWindow(*w, "tabelleCodeAction", [](QWidget* d) { click(d, "pdfButton"); });
        const QByteArray pdf = fileContent(csv.path);
        QVERIFY(pdf.startsWith("%PDF"));
        QVERIFY(pdf.contains(QByteArray("\0N\0o\0r\0d", 8))); // in the title, UTF-16 as PDF strings are
        // A file that cannot be written is reported.
        csv.path = env->root() + "/kein/Ordner/tabelle.csv";
        QString seen;
        withWindow(*w, "tabelleCodeAction",
                   [&](QWidget* d) { seen = shown(press(find<QAbstractButton>(*d, "csvButton"))); });
        QVERIFY(seen.startsWith("3|  Die Datei konnte nicht gespeichert werden!  \n" + csv.path));
    }

private:
    QString config(const QString& key) const { return env->config("exportfenster/" + key); }
    std::unique_ptr<LeagueTestEnv> env;
};

QTEST_MAIN(TestExport)
#include "tst_export.moc"
