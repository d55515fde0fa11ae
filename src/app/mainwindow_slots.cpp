// The slots: each hands its work to the page or window it concerns.
#include "app/mainwindow.h"
#include "app/settingsdialog.h"
#include "app/widgets.h"
#include "db/leaguefiles.h"
#include "league/leaguespage.h"
#include "league/membershippage.h"
#include "league/playerspage.h"
#include "league/schedulepage.h"
#include "results/resultform.h"
#include "results/resultspage.h"
#include "results/seasonchart.h"
#include "results/standingspage.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>

#include <utility>

void MainWindow::TabVerwaltungEinAus(bool eingang1) {
    const bool shown = tabs->indexOf(tab(players)) >= 0;
    if (eingang1 && !shown) {
        tabs->insertTab(3, tab(players), tr("  Spieler  "));
        tabs->insertTab(4, tab(leagues), tr("  Ligen  "));
        tabs->insertTab(5, tab(membership), tr("  Zuordnung  "));
        tabs->insertTab(6, tab(schedule), tr("  Spieltage  "));
        listAdministration(true);
        tabs->setCurrentIndex(3);
    } else if (!eingang1 && shown) {
        for (int index = 6; index >= 3; --index)
            tabs->removeTab(index);
        listAdministration(false);
    }
}

void MainWindow::tabAbfrage() {
    const int current = tabs ? tabs->currentIndex() : 0;
    if (current > 2)
        return; // the administration tabs keep the state of the last result tab
    tableCodeAction->setEnabled(current == 1);
    statisticsCodeAction->setEnabled(current == 2);
    scheduleCodeAction->setEnabled(current == 0);
}

void MainWindow::ComboLigaFuellen() {
    const QList<tavorin::League> all = session->store().leagues();
    if (session->store().readsFailing())
        return;
    QList<QPair<QString, QVariant>> entries;
    for (const tavorin::League& l : all)
        entries.append({l.name, l.id});
    for (QComboBox* box : {schedule->ui().league, membership->ui().league, results->ui().league, table->ui().league,
                           statistics->ui().league})
        widgets::fillChoices(box, entries);
}

void MainWindow::AllesNeuLaden() {
    results->clear();
    schedule->clearCounts();
    const tavorin::db::LeagueStore::Hold open(session->store()); // one opening of the league for every view
    players->reload();
    leagues->reload();
    membership->reloadPool();
    // The league selectors refill what follows them: the schedule and its counts, the members, the match
    // days with the results by day, the player selector, the table and the statistics.
    ComboLigaFuellen();
    schedule->fillReplacements();
}

void MainWindow::followChange(const tavorin::db::StoreChange& change) {
    using C = tavorin::db::StoreChange;
    if (change.remote)
        statusNote(change.describe()); // another organiser's write on the same server league
    if (change.concerns(C::Leagues)) {
        // Refilling the selectors refills every view that follows one.
        ComboLigaFuellen();
        return;
    }
    if (change.concerns(C::Members))
        schedule->countMembers();
    if (change.concerns(C::Players | C::Members)) {
        schedule->fillReplacements();
        results->fillPlayers();
    }
    results->followChange(change);
}

// --- players, leagues, membership ---
void MainWindow::SpielerEintragen() {
    players->add();
}
void MainWindow::SpielerAuswaehlen() {
    players->select();
}
void MainWindow::SpielerBearbeiten() {
    players->edit();
}
void MainWindow::SpielerLoeschen() {
    players->remove();
}
void MainWindow::FelderSpielerLeeren() {
    players->clearFields();
}
void MainWindow::LigaEintragen() {
    leagues->add();
}
void MainWindow::LigaAuswaehlen() {
    leagues->select();
}
void MainWindow::LigaBearbeiten() {
    leagues->edit();
}
void MainWindow::LigaLoeschen() {
    leagues->remove();
}
void MainWindow::FelderLigaLeeren() {
    leagues->clearFields();
}
void MainWindow::LigaZuordnungFuellen() {
    membership->fillMembers();
}
void MainWindow::ZuordnungEintragen() {
    membership->assign();
}
void MainWindow::ZuordnungAustragen() {
    membership->remove();
}

// --- schedule ---
void MainWindow::ComboBoxAAuswahl() {
    schedule->leagueChosen();
}
void MainWindow::SpieltagBerechnung() {
    schedule->compute();
}
void MainWindow::SpielplanLoeschen() {
    schedule->deleteSchedule();
}
void MainWindow::ErgebnisseLoeschen() {
    schedule->deleteAllResults();
}
void MainWindow::tabelleSTanklicken() {
    schedule->matchClicked();
}
void MainWindow::butTauschendruecken() {
    schedule->swap();
}
void MainWindow::butErsetzenDruecken() {
    schedule->replace();
}
void MainWindow::RueckrundeWaehlen() {
    schedule->returnRoundChosen();
}
void MainWindow::DBpruefen() {
    schedule->checkDuplicates();
}
void MainWindow::DBdoppelLoeschen() {
    schedule->deleteDuplicates();
}

// --- results ---
void MainWindow::ErgebnisEintragen() {
    results->save();
}
void MainWindow::tabelleNachSpielstandFuellen() {
    results->showByDay();
}
void MainWindow::tabelleNachSpielerFuellen() {
    results->showByPlayer();
}
void MainWindow::tabelleErgSTFuellen() {
    results->fillResults();
}
void MainWindow::comboErgSTLaden() {
    results->fillMatchDays();
}
void MainWindow::comboEinzelLaden() {
    results->fillPlayers();
}
void MainWindow::tabelleErgSTanklicken() {
    results->loadMatch();
}
void MainWindow::EingabeDeaktivieren() {
    results->disableForm();
}
void MainWindow::FensterWerteImportieren(tavorin::ImportPlatform plattform) {
    results->openImport(plattform);
}
void MainWindow::ImportWerteHolen() {
    results->fetchImport();
}
void MainWindow::ImportierteWerteEintragen() {
    results->takeOverImport();
}
void MainWindow::tabelleTabelleFullen() {
    table->fill();
}
void MainWindow::tabelleStatistikFuellen() {
    statistics->fill();
}

void MainWindow::SaisonverlaufZeigen() {
    const QComboBox* league = table->ui().league;
    SeasonChartWindow window(context, widgets::chosenId(league), league->currentText(), this);
    if (window.isReady())
        window.exec();
}

// --- settings and the league file ---
void MainWindow::FensterEinstellungen() {
    SettingsDialog dialog(context, this);
    settingsDialog = &dialog;
    connect(dialog.ui().store, &QPushButton::clicked, this, &MainWindow::EinstellungenAendern);
    dialog.exec();
}

void MainWindow::EinstellungenAendern() {
    if (!settingsDialog)
        return;
    const tavorin::DialogValues values = settingsDialog->store();
    // The names the results list shows and the order of players level on points hold at once.
    context.captions.anzeige = values.anzeige;
    results->fillResults();
    if (std::exchange(context.points.reihenfolge, values.reihenfolge) != values.reihenfolge)
        table->fill();
}

void MainWindow::DatenbankImportieren() {
    files->connectFile();
}
void MainWindow::DatenbankSpeichern() {
    files->saveCopy();
}
bool MainWindow::DBaufSpaltePruefen(QString table, QString column) {
    return files->hasColumn(table, column);
}
