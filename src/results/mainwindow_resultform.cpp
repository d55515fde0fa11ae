#include "app/mainwindow.h"
#include "app/widgets.h"
#include "results/numbers.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace tavorin::resultentry;

namespace {

// Headings of the form from top to bottom and the field each one heads; the doubles heading stands
// above both doubles fields.
const struct {
    const char* heading;
    Field field;
} formRows[] = {
    {"Legs", Legs},
    {"AVG", Average},
    {"First 9 AVG", First9Average},
    {"20-", Minus20},
    {"20+", Plus20},
    {"40+", Plus40},
    {"60+", Plus60},
    {"80+", Plus80},
    {"100+", Plus100},
    {"140+", Plus140},
    {"171+", Plus171},
    {"180", Count180},
    {"Highest Finish", HighestFinish},
    {"Doubles", DoublesHit},
    {"Best Leg", BestLeg},
};

// What each field may hold, as its tooltip and the warning about a wrong figure say it.
const char* const erlaubt[FieldCount] = {
    "eine ganze Zahl von 0 bis 99",
    "eine Zahl von 0 bis 180, mit Komma oder Punkt",
    "eine Zahl von 0 bis 180, mit Komma oder Punkt",
    "eine ganze Zahl von 0 bis 999",
    "eine ganze Zahl von 0 bis 999",
    "eine ganze Zahl von 0 bis 999",
    "eine ganze Zahl von 0 bis 999",
    "eine ganze Zahl von 0 bis 999",
    "eine ganze Zahl von 0 bis 999",
    "eine ganze Zahl von 0 bis 999",
    "eine ganze Zahl von 0 bis 999",
    "eine ganze Zahl von 0 bis 999",
    "0 oder eine ganze Zahl von 2 bis 170",
    "eine ganze Zahl, nicht gr:oe::sz:er als die W:ue:rfe auf ein Doppel",
    "eine ganze Zahl ab 0",
    "0 oder eine ganze Zahl ab 9",
};

const QString falschMarkiert = QStringLiteral("border: 2px solid rgb(200,0,0);");

// A field's name as its heading shows it.
QString feldName(Field f) {
    if (f == DoublesThrown)
        return QStringLiteral("Doubles (von)");
    for (const auto& r : formRows) {
        if (r.field == f)
            return QLatin1StringView(r.heading);
    }
    return QString();
}

// Object names of the fields, "ergebnisLinksLegsLineEdit" and so on.
const char* const fieldNames[FieldCount] = {
    "Legs",    "Avg",     "First9Avg", "Minus20",  "Plus20",        "Plus40",     "Plus60",        "Plus80",
    "Plus100", "Plus140", "Plus171",   "Count180", "HighestFinish", "DoublesHit", "DoublesThrown", "BestLeg"};

// The field of figure `f` of the left (0) or right (1) player.
QLineEdit* ergebnisFeld(int seite, Field f) {
    auto* feld = new QLineEdit;
    feld->setAlignment(Qt::AlignCenter);
    feld->setObjectName(QStringLiteral("ergebnis") + (seite == 0 ? QStringLiteral("Links") : QStringLiteral("Rechts")) +
                        QLatin1StringView(fieldNames[f]) + QStringLiteral("LineEdit"));
    feld->setToolTip(MainWindow::UmlauteErsetzen(QStringLiteral("Erlaubt: ") + QLatin1StringView(erlaubt[f]) +
                                                 QStringLiteral("; leer z:ae:hlt als 0.")));
    return feld;
}

// A player's name above the form, centred.
QLabel* nameLabel(const char* objectName, const QFont& font) {
    auto* name = new QLabel;
    name->setObjectName(QLatin1StringView(objectName));
    name->setFont(font);
    name->setAlignment(Qt::AlignCenter);
    return name;
}

} // namespace

void MainWindow::ErgebnisFormularAufbauen() {
    // One row per figure, the heading between the two players' fields, so that the whole form fits the
    // height of a laptop screen and of a large screen at scale factor 2.
    ergebnisFormular = new QWidget;
    ergebnisFormular->setObjectName(QStringLiteral("ergebnisFormularWidget"));
    widgets::designSize(ergebnisFormular, 400);
    auto* raster = new QGridLayout(ergebnisFormular);
    raster->setContentsMargins(0, 0, 0, 0);
    raster->setVerticalSpacing(4);
    for (int spalte : {0, 2, 4, 6})
        raster->setColumnStretch(spalte, 1);

    labelNameLinks = nameLabel("nameLinksLabel", schriftFett);
    labelNameRechts = nameLabel("nameRechtsLabel", schriftFett);
    checkSpiegeln = new QCheckBox(QStringLiteral("Eingabe spiegeln"));
    checkSpiegeln->setObjectName(QStringLiteral("spiegelnCheckBox"));
    raster->addWidget(labelNameLinks, 0, 0, 1, 3);
    raster->addWidget(labelNameRechts, 0, 4, 1, 3);
    raster->addWidget(checkSpiegeln, 1, 0, 1, 7, Qt::AlignHCenter);

    for (int seite = 0; seite < 2; ++seite) {
        for (int f = 0; f < FieldCount; ++f) {
            ergebnisFelder[seite][f] = ergebnisFeld(seite, Field(f));
            connect(ergebnisFelder[seite][f], &QLineEdit::returnPressed, this,
                    &MainWindow::ErgebnisEintragen); // Enter saves
        }
    }
    int row = 2;
    for (const auto& r : formRows)
        ErgebnisZeileAnlegen(raster, row++, QLatin1StringView(r.heading), r.field);

    knopfErgebnisEintragen = widgets::button(QStringLiteral("Ergebnis eintragen"), "ergebnisEintragenButton");
    knopfErgebnisAendern =
        widgets::button(UmlauteErsetzen(QStringLiteral("Ergebnis :ae:ndern")), "ergebnisAendernButton");
    for (QPushButton* knopf : {knopfErgebnisEintragen, knopfErgebnisAendern}) {
        widgets::designSize(knopf, -1, 25);
        raster->addWidget(knopf, row, 1, 1, 5);
        connect(knopf, &QPushButton::clicked, this, &MainWindow::ErgebnisEintragen);
    }
    knopfErgebnisAendern->hide();
    raster->setRowStretch(row + 1, 1); // the rows keep their height in a taller window

    connect(checkSpiegeln, &QCheckBox::clicked, this, &MainWindow::tabelleErgSTanklicken);
}

void MainWindow::ErgebnisZeileAnlegen(QGridLayout* raster, int row, const QString& ueberschrift, Field f) {
    auto* heading = new QLabel(ueberschrift);
    heading->setAlignment(Qt::AlignCenter);
    raster->addWidget(heading, row, 3);
    if (f != DoublesHit) {
        raster->addWidget(ergebnisFelder[0][f], row, 0, 1, 3);
        raster->addWidget(ergebnisFelder[1][f], row, 4, 1, 3);
        return;
    }
    // Doubles hit "von" doubles thrown, on each side.
    for (int seite = 0; seite < 2; ++seite) {
        raster->addWidget(ergebnisFelder[seite][DoublesHit], row, 4 * seite);
        raster->addWidget(new QLabel(QStringLiteral(" von:")), row, 4 * seite + 1);
        raster->addWidget(ergebnisFelder[seite][DoublesThrown], row, 4 * seite + 2);
    }
}

int MainWindow::SpalteLinks() const {
    return checkSpiegeln->isChecked() ? 3 : 2;
}

int MainWindow::SpalteRechts() const {
    return checkSpiegeln->isChecked() ? 2 : 3;
}

void MainWindow::FelderErgebnisLeeren() {
    for (const auto& seite : ergebnisFelder) {
        for (QLineEdit* feld : seite) {
            feld->clear();
            feld->setStyleSheet(QString());
        }
    }
}

bool MainWindow::ErgebnisFelderPruefen(const SideTexts& links, const SideTexts& rechts) {
    QString erstes;
    for (int seite = 0; seite < 2; ++seite) {
        for (QLineEdit* feld : ergebnisFelder[seite])
            feld->setStyleSheet(QString());
        const SideTexts& texte = seite == 0 ? links : rechts;
        for (int i = 0; i < FieldCount; ++i) {
            const Field f = Field(i);
            if (possibleField(texte, f))
                continue;
            ergebnisFelder[seite][f]->setStyleSheet(falschMarkiert);
            if (erstes.isEmpty())
                erstes = QStringLiteral("  Das Feld \"%1\" von %2 enth:ae:lt keinen m:oe:glichen Wert. Erlaubt ist %3; "
                                        "ein leeres Feld z:ae:hlt als 0.  ")
                             .arg(feldName(f), (seite == 0 ? labelNameLinks : labelNameRechts)->text(),
                                  QLatin1StringView(erlaubt[f]));
        }
    }
    if (erstes.isEmpty())
        return true;
    MeldungAnzeigen(3, erstes);
    return false;
}

void MainWindow::EingabeDeaktivieren() {
    importHash.clear(); // an import belongs to the match it was taken over for
    importPlattform.clear();
    ergebnisSpiel.clear();
    labelNameLinks->clear();
    labelNameRechts->clear();
    FelderErgebnisLeeren();
    ergebnisFormular->setEnabled(false);
    gruppeImport->hide();
}

void MainWindow::tabelleErgSTanklicken() {
    const int row = tabelleErgebnisse->currentRow();
    if (row < 0)
        return; // no match chosen: the form stays as it is
    const auto zelle = [&](int column) { return tabelleErgebnisse->item(row, column); };
    const QString idLinks = zelle(SpalteLinks() + 2)->text();
    const QString idRechts = zelle(SpalteRechts() + 2)->text();
    const QList<StoredSide> gespeichertesErgebnis = storedResults(zelle(0)->text());
    if (LesenGescheitert())
        return;

    importHash.clear(); // an import belongs to the match it was taken over for
    importPlattform.clear();
    ergebnisSpiel = zelle(0)->text();
    plattformNameLinks = zelle(SpalteLinks())->data(Qt::UserRole).toString();
    plattformNameRechts = zelle(SpalteRechts())->data(Qt::UserRole).toString();
    labelNameLinks->setText(zelle(SpalteLinks())->text());
    labelNameRechts->setText(zelle(SpalteRechts())->text());
    FelderErgebnisLeeren();
    ergebnisseVorhanden = false;

    for (const StoredSide& gespeichert : gespeichertesErgebnis) {
        int seite = -1;
        if (gespeichert.playerId == idLinks)
            seite = 0;
        else if (gespeichert.playerId == idRechts)
            seite = 1;
        if (seite < 0)
            continue;
        for (int f = 0; f < FieldCount; ++f)
            ergebnisFelder[seite][f]->setText(gespeichert.texts[f]);
        ergebnisseVorhanden = true;
    }

    knopfErgebnisAendern->setVisible(ergebnisseVorhanden);
    knopfErgebnisEintragen->setVisible(!ergebnisseVorhanden);
    ergebnisFormular->setEnabled(true);
    gruppeImport->show();
}

void MainWindow::ErgebnisEintragen() {
    const int row = tabelleErgebnisse->currentRow();
    if (row < 0) {
        MeldungAnzeigen(3, QStringLiteral("  Es wurde kein Spiel ausgew:ae:hlt  "));
        return;
    }
    const auto zelle = [&](int column) { return tabelleErgebnisse->item(row, column)->text(); };
    SaveContext kontext;
    kontext.update = ergebnisseVorhanden;
    kontext.matchId = zelle(0).toInt();
    kontext.leftPlayer = zelle(SpalteLinks() + 2).toInt();
    kontext.rightPlayer = zelle(SpalteRechts() + 2).toInt();
    kontext.hash = importHash;
    kontext.plat = importPlattform;
    SideTexts links;
    SideTexts rechts;
    for (int f = 0; f < FieldCount; ++f) {
        links[f] = ergebnisFelder[0][f]->text();
        rechts[f] = ergebnisFelder[1][f]->text();
    }

    if (!ErgebnisFelderPruefen(links, rechts))
        return; // nothing is saved, and what was typed stays for correcting
    if (tavorin::textToInt(links[Legs]) == 0 && tavorin::textToInt(rechts[Legs]) == 0) {
        MeldungAnzeigen(3, QStringLiteral("  Es ist kein g:ue:ltiger Spielstand eingegeben worden!  "));
        return;
    }
    // A saved result reloads the form from the file with the views; after a failed save the typed
    // figures stay in the form for another try.
    if (DatenSchreiben(saveStatements(kontext, links, rechts, punkte)))
        StatusMelden(QStringLiteral("Ergebnis gespeichert"));
}
