#include "app/dialogs.h"
#include "app/mainwindow.h"
#include "db/filecommands.h"

#include <QFileInfo>

namespace {
const QString dateiFilter = QStringLiteral("(*.db)");
} // namespace

void MainWindow::DatenbankImportieren() {
    const QString pfad =
        dialogs::chooseFile(this, {false, QStringLiteral("mit Datenbank verbinden"), dbPfad, dateiFilter});
    if (pfad.isEmpty() || !QFileInfo(pfad).isFile())
        return; // cancelled: everything stays with the connected file
    if (dateiGeoeffnet && !SicherungAnlegen(QStringLiteral("Andere Datenbank verbinden")))
        return;
    // Only a league database replaces the connected file; an older one is upgraded first.
    const tavorin::db::Result r = tavorin::db::LeagueDatabase::instance().connectTo(pfad);
    if (GesperrtMelden(r))
        return;
    if (!r) {
        if (r.notLeague)
            MeldungAnzeigen(3, QStringLiteral("Die Datei ist keine Liga-Datenbank:"), pfad);
        else
            MeldungAnzeigen(3, QStringLiteral("  Die Datenbank kann nicht ge:oe:ffnet werden:  "),
                            pfad + QStringLiteral(": ") + tavorin::db::openFailureReason(pfad, r.error));
        return;
    }
    dbPfad = pfad;
    dateiGeoeffnet = true;
    PfadMerken(pfad);
    AllesNeuLaden();
    StatusMelden(QStringLiteral("Verbunden mit %1"), pfad);
}

void MainWindow::DatenbankSpeichern() {
    const QString ziel =
        dialogs::chooseFile(this, {true, QStringLiteral("Datenbank kopieren nach..."), dbPfad, dateiFilter});
    // Cancelled, or the connected file itself: that file already is the copy, nothing is to be done.
    if (ziel.isEmpty() || tavorin::db::isSameFile(dbPfad, ziel))
        return;
    const tavorin::db::Result kopiert = tavorin::db::copyDatabaseFile(dbPfad, ziel);
    if (!kopiert) {
        MeldungAnzeigen(4, QStringLiteral("  Die Datenbank konnte nicht kopiert werden!  "), kopiert.error);
        return;
    }
    // The copy holds the same data, so the views stay as they are.
    dbPfad = ziel;
    PfadMerken(ziel);
    DatenbankOeffnen();
    StatusMelden(QStringLiteral("Datenbank kopiert nach %1"), ziel);
}

void MainWindow::PfadMerken(const QString& pfad) {
    setWindowTitle(titelBasis + QStringLiteral(" - ") + pfad);
    tavorin::storeDatabasePath(tavorin::configFilePath(einstellungsOrdner), pfad);
}
