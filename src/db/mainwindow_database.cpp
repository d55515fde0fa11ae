#include "app/mainwindow.h"
#include "db/schema.h"
#include "results/standings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QStatusBar>
#include <QTableWidget>

#include <utility>

using tavorin::db::Table;

bool MainWindow::DatenbankOeffnen() {
    auto& datenbank = tavorin::db::LeagueDatabase::instance();
    const tavorin::db::Result r = datenbank.open(dbPfad);
    if (r)
        return true;
    DateiAbgelehntMelden(dbPfad, r);
    datenbank.holdFailure(r); // the views that follow need not fail one by one
    return false;
}

void MainWindow::DatenbankAbonnieren() {
    auto& datenbank = tavorin::db::LeagueDatabase::instance();
    connect(&datenbank, &tavorin::db::LeagueDatabase::changed, this, &MainWindow::DatenGeaendert);
    connect(&datenbank, &tavorin::db::LeagueDatabase::readFailed, this, &MainWindow::LesefehlerMelden);
}

bool MainWindow::DBaufSpaltePruefen(QString table, QString column) {
    return tavorin::db::hasColumn(table, column);
}

bool MainWindow::DatenSchreiben(const QList<tavorin::db::Statement>& anweisungen) {
    return SchreibenMelden(tavorin::db::writeAll(anweisungen));
}

bool MainWindow::GesperrtMelden(const tavorin::db::Result& ergebnis) {
    if (ergebnis.locked)
        MeldungAnzeigen(3, QStringLiteral("Die Datenbank wird gerade von einem anderen Programm benutzt."),
                        ergebnis.error);
    return ergebnis.locked;
}

bool MainWindow::SchreibenMelden(const tavorin::db::Result& ergebnis) {
    if (!GesperrtMelden(ergebnis) && !ergebnis)
        MeldungAnzeigen(4, QStringLiteral("  Die Daten konnten nicht gespeichert werden!  "), ergebnis.error);
    return ergebnis.ok;
}

void MainWindow::LesefehlerMelden(const tavorin::db::Result& fehler) {
    if (!GesperrtMelden(fehler))
        MeldungAnzeigen(4, QStringLiteral("Die Daten konnten nicht gelesen werden!"), fehler.error);
}

void MainWindow::StatusMelden(const QString& text, const QString& name) {
    const QString gezeigt = UmlauteErsetzen(text);
    statusBar()->showMessage(name.isNull() ? gezeigt : gezeigt.arg(name), 10000);
}

bool MainWindow::LesenGescheitert() {
    return tavorin::db::LeagueDatabase::instance().readsFailing();
}

void MainWindow::DatenGeaendert(tavorin::db::Tables tabellen) {
    // A refill may itself write; what it changes is refilled in another round once the current one is done.
    ausstehendeAenderungen |= tabellen;
    if (aktualisierungLaeuft)
        return;
    aktualisierungLaeuft = true;
    // New results may hold best legs of 0, which the statistics fill rewrites. Done first, its change joins
    // this round instead of starting another.
    if (ausstehendeAenderungen & Table::Ergebnisse)
        tavorin::rewriteZeroBestLegs();
    while (ausstehendeAenderungen)
        AnsichtenAktualisieren(std::exchange(ausstehendeAenderungen, {}));
    aktualisierungLaeuft = false;
}

void MainWindow::AnsichtenAktualisieren(tavorin::db::Tables tabellen) {
    // Every view with the tables it shows. The league selectors come early: refilling them refills the
    // views that follow a selector as well.
    const Table spieler = Table::Spieler, zuordnung = Table::Zuordnung, spieltage = Table::Spieltage,
                ergebnisse = Table::Ergebnisse;
    const struct {
        tavorin::db::Tables zeigt;
        void (MainWindow::*fuellen)();
    } ansichten[] = {
        {spieler, &MainWindow::tabelleSpielerFuellen},
        {Table::Ligen, &MainWindow::tabelleLigenFuellen},
        {Table::Ligen, &MainWindow::ComboLigaFuellen},
        {spieler | zuordnung, &MainWindow::tabelleSpielerpoolFuellen},
        {spieler | zuordnung, &MainWindow::LigaZuordnungFuellen},
        {zuordnung, &MainWindow::MitspielerZaehlen},
        {spieler | spieltage, &MainWindow::tabelleSTFuellen},
        {spieler | zuordnung, &MainWindow::ErsatzlisteFuellen},
        {spieler | zuordnung, &MainWindow::comboEinzelLaden},
        {spieler | spieltage | ergebnisse, &MainWindow::ErgebnisAnsichtAktualisieren},
        {spieler | zuordnung | ergebnisse, &MainWindow::tabelleTabelleFullen},
        {spieler | zuordnung | ergebnisse, &MainWindow::tabelleStatistikFuellen},
    };
    for (const auto& ansicht : ansichten) {
        if (tabellen & ansicht.zeigt)
            (this->*ansicht.fuellen)();
    }
}
