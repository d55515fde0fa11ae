#include "app/mainwindow.h"
#include "import/importwindow.h"

#include <QLabel>
#include <QLineEdit>

using namespace tavorin;

void MainWindow::FensterWerteImportieren(ImportPlatform plattform) {
    // A new import forgets the one taken over before: its game is stored only with the values it came with.
    importHash.clear();
    importPlattform.clear();
    ImportWindow fenster(plattform, plattformen,
                         {plattformNameLinks, plattformNameRechts, labelNameLinks->text(), labelNameRechts->text()},
                         netz, this);
    importFenster = &fenster;
    connect(&fenster, &ImportWindow::fetchRequested, this, &MainWindow::ImportWerteHolen);
    connect(&fenster, &ImportWindow::takeOverRequested, this, &MainWindow::ImportierteWerteEintragen);
    fenster.exec();
}

void MainWindow::ImportWerteHolen() {
    if (importFenster)
        importFenster->fetchValues();
}

bool MainWindow::ReimportBestaetigt(const ImportTakeOver& werte) {
    const resultentry::MatchWithGame vorhanden =
        resultentry::matchWithGame(werte.platform, werte.gameId, ergebnisSpiel);
    if (LesenGescheitert())
        return false; // unknown whether the game is stored already: nothing is taken over
    if (!vorhanden.found)
        return true;
    const bool zweite = bezeichnungen.anzeige; // the names the results table shows
    const QString text = QStringLiteral("Dieses Spiel ist schon bei Spieltag ") + vorhanden.matchDay +
                         QStringLiteral(" (") + (zweite ? vorhanden.home2 : vorhanden.home1) + QStringLiteral(" – ") +
                         (zweite ? vorhanden.away2 : vorhanden.away1) +
                         QStringLiteral(") eingetragen. Trotzdem :ue:bernehmen?");
    return FrageAnzeigen(text);
}

void MainWindow::ImportierteWerteEintragen() {
    // Only what the fetch supplied is taken over: a missing position leaves its field empty. A game that
    // is stored for another match is taken over only when the user says so.
    const std::optional<ImportTakeOver> werte = importFenster ? importFenster->takeOver() : std::nullopt;
    if (!werte || !ReimportBestaetigt(*werte))
        return;
    FelderErgebnisLeeren();
    for (int seite = 0; seite < 2; ++seite) {
        for (int feld = 0; feld < resultentry::FieldCount; ++feld)
            ergebnisFelder[seite][feld]->setText(werte->sides[seite][feld]);
    }
    importHash = werte->gameId;
    importPlattform = werte->platform;
}
