#include "app/mainwindow.h"
#include "app/widgets.h"

#include <QDate>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

void MainWindow::EinstellungenLaden() {
    einstellungsOrdner = tavorin::settingsDirectory();
    heute = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    const tavorin::ProgramSettings gelesen = tavorin::loadStartupSettings(einstellungsOrdner);
    dbPfad = gelesen.dbpfad;
    bezeichnungen = gelesen.captions;
    punkte = gelesen.points;
    exportEinstellungen = gelesen.exports;
    plattformen = gelesen.platforms;
    heimrechtAusgleichen = gelesen.balanceHomeAway;
}

namespace {

// A group of caption rows: a right-aligned caption and a field beside it, each 160 wide unless the
// caption needs more.
QGridLayout* zeilen(QGroupBox* gruppe) {
    auto* raster = new QGridLayout(gruppe);
    raster->setColumnStretch(2, 1);
    return raster;
}

QLineEdit* feld(QGridLayout* raster, const QString& beschriftung, const QString& text, const char* name) {
    const int row = raster->rowCount();
    auto* label = new QLabel(beschriftung);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(160);
    auto* edit = new QLineEdit(text);
    edit->setObjectName(QLatin1StringView(name));
    edit->setFixedWidth(160);
    raster->addWidget(label, row, 0);
    raster->addWidget(edit, row, 1);
    return edit;
}

} // namespace

void MainWindow::FensterEinstellungen() {
    auto* dialog = new QDialog(this);
    dialog->setObjectName(QStringLiteral("einstellungenDialog"));
    dialog->setWindowTitle(QStringLiteral("Brenvik - Tavorin - Einstellungen"));
    EinstellungsFelder& f = einstellungsFelder;
    f.dialog = dialog;
    auto* spalte = new QVBoxLayout(dialog);
    spalte->setContentsMargins(30, 20, 30, 10);

    auto* namen = new QGroupBox(QStringLiteral("  Bezeichnungen  "));
    QGridLayout* namenRaster = zeilen(namen);
    f.name1 = feld(namenRaster, QStringLiteral("Erster Name:"), bezeichnungen.name1, "name1LineEdit");
    f.name2 = feld(namenRaster, QStringLiteral("Zweiter Name:"), bezeichnungen.name2, "name2LineEdit");
    f.heim = feld(namenRaster, QStringLiteral("Erster Spieler:"), bezeichnungen.heim, "heimLineEdit");
    f.gast = feld(namenRaster, QStringLiteral("Zweiter Spieler:"), bezeichnungen.gast, "gastLineEdit");
    spalte->addWidget(namen);

    auto* punktevergabe = new QGroupBox(QStringLiteral("  Punktevergabe  "));
    QGridLayout* punkteRaster = zeilen(punktevergabe);
    f.gewonnen = feld(punkteRaster, QStringLiteral("Sieg:"), QString::number(punkte.gewonnen), "siegLineEdit");
    f.remis = feld(punkteRaster, QStringLiteral("Remis:"), QString::number(punkte.remis), "remisLineEdit");
    f.verloren =
        feld(punkteRaster, QStringLiteral("Niederlage:"), QString::number(punkte.verloren), "niederlageLineEdit");
    spalte->addWidget(punktevergabe);

    auto* gleichstand = new QGroupBox(QStringLiteral("  Bei Punktgleichheit  "));
    gleichstand->setObjectName(QStringLiteral("punktgleichheitGroupBox"));
    auto* gleichstandSpalte = new QVBoxLayout(gleichstand);
    auto* legdifferenz = new QRadioButton(QStringLiteral("Legdifferenz, dann gewonnene Legs"));
    legdifferenz->setObjectName(QStringLiteral("legdifferenzRadioButton"));
    f.direkterVergleich =
        new QRadioButton(QStringLiteral("Direkter Vergleich, dann Legdifferenz, dann gewonnene Legs"));
    f.direkterVergleich->setObjectName(QStringLiteral("direkterVergleichRadioButton"));
    gleichstandSpalte->addWidget(legdifferenz);
    gleichstandSpalte->addWidget(f.direkterVergleich);
    (punkte.reihenfolge == tavorin::TieBreak::HeadToHead ? f.direkterVergleich : legdifferenz)->setChecked(true);
    spalte->addWidget(gleichstand);

    auto* anzeige = new QGroupBox(QStringLiteral("  Anzeige auf Ergebnisseite  "));
    auto* anzeigeZeile = new QHBoxLayout(anzeige);
    f.zweiterName = new QRadioButton(bezeichnungen.name2);
    f.zweiterName->setObjectName(QStringLiteral("zweiterNameRadioButton"));
    auto* ersterName = new QRadioButton(bezeichnungen.name1);
    ersterName->setObjectName(QStringLiteral("ersterNameRadioButton"));
    anzeigeZeile->addSpacing(40);
    anzeigeZeile->addWidget(f.zweiterName, 1);
    anzeigeZeile->addWidget(ersterName, 1);
    (bezeichnungen.anzeige ? f.zweiterName : ersterName)->setChecked(true);
    spalte->addWidget(anzeige);

    QPushButton* abbrechen = widgets::button(QStringLiteral("Abbrechen"), "abbrechenButton");
    QPushButton* eintragen = widgets::button(QStringLiteral("Eintragen"), "eintragenButton");
    // Enter stores what was typed; only the button "Abbrechen" throws it away.
    abbrechen->setAutoDefault(false);
    eintragen->setDefault(true);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch();
    for (QPushButton* knopf : {abbrechen, eintragen}) {
        knopf->setMinimumWidth(180);
        knoepfe->addWidget(knopf);
    }
    knoepfe->setSpacing(0);
    knoepfe->addStretch();
    spalte->addLayout(knoepfe);
    connect(abbrechen, &QPushButton::clicked, dialog, &QDialog::reject);
    connect(eintragen, &QPushButton::clicked, this, &MainWindow::EinstellungenAendern);

    auto* hinweis = new QLabel(UmlauteErsetzen(QStringLiteral(":Ae:nderungen werden erst nach Neustart wirksam!")));
    hinweis->setAlignment(Qt::AlignCenter);
    spalte->addWidget(hinweis);
    widgets::fitToScreen(dialog, QSize(520, 540));

    dialog->exec();
    delete dialog;
}

void MainWindow::EinstellungenAendern() {
    EinstellungsFelder& f = einstellungsFelder;
    if (!f.dialog)
        return;
    bezeichnungen.anzeige = f.zweiterName->isChecked();
    tavorin::DialogValues werte;
    werte.name1 = f.name1->text();
    werte.name2 = f.name2->text();
    werte.heim = f.heim->text();
    werte.gast = f.gast->text();
    werte.anzeige = f.zweiterName->isChecked();
    werte.gewonnen = f.gewonnen->text();
    werte.remis = f.remis->text();
    werte.verloren = f.verloren->text();
    werte.reihenfolge =
        f.direkterVergleich->isChecked() ? tavorin::TieBreak::HeadToHead : tavorin::TieBreak::LegDifference;
    tavorin::storeDialogValues(tavorin::configFilePath(einstellungsOrdner), werte);
    tabelleErgSTFuellen();
    // The order of players level on points, like the display choice, holds at once.
    if (punkte.reihenfolge != werte.reihenfolge) {
        punkte.reihenfolge = werte.reihenfolge;
        tabelleTabelleFullen();
    }
    f.dialog->accept();
}
