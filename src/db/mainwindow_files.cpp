#include "app/dialogs.h"
#include "app/mainwindow.h"
#include "db/backups.h"
#include "db/filecheck.h"
#include "db/filecommands.h"

#include <QFileInfo>
#include <QPushButton>

namespace {
const QString dateiFilter = QStringLiteral("(*.db)");
const QString abgelehnt = QStringLiteral("Die Datei kann nicht als Liga-Datenbank benutzt werden:");
} // namespace

void MainWindow::DatenbankBeimStartOeffnen() {
    tavorin::db::removeUnfinishedBackups(tavorin::db::backupFolder(einstellungsOrdner));
    auto& datenbank = tavorin::db::LeagueDatabase::instance();
    tavorin::db::Result r = datenbank.open(dbPfad);
    // A file that cannot be used stays as it is; the organiser chooses what to work on instead.
    for (QString pfad = dbPfad; !r && !r.locked;) {
        pfad = StartDateiErsetzen(pfad, r);
        if (pfad.isEmpty()) {
            dbPfad.clear(); // on without a league file; config.ini keeps the remembered one
            break;
        }
        r = datenbank.open(pfad);
        if (r || r.locked) {
            dbPfad = pfad;
            PfadMerken(pfad);
        }
    }
    if (r) {
        TagesSicherungAnlegen();
        return;
    }
    GesperrtMelden(r);
    datenbank.holdFailure(r); // the views that follow need not fail one by one
}

QString MainWindow::StartDateiErsetzen(const QString& pfad, const tavorin::db::Result& grund) {
    for (;;) {
        QMessageBox frage;
        frage.setWindowTitle(QStringLiteral("Tavorin"));
        frage.setIcon(QMessageBox::Warning);
        frage.setText(abgelehnt + QLatin1Char('\n') + pfad + QStringLiteral(": ") + grund.error +
                      UmlauteErsetzen(QStringLiteral("\n\nWomit m:oe:chten Sie weiterarbeiten?")));
        frage.setStandardButtons(QMessageBox::Save | QMessageBox::Open | QMessageBox::Ignore);
        frage.button(QMessageBox::Save)->setText(QStringLiteral("Neue Liga-Datenbank anlegen"));
        frage.button(QMessageBox::Open)->setText(UmlauteErsetzen(QStringLiteral("Andere Datei w:ae:hlen...")));
        frage.button(QMessageBox::Ignore)->setText(QStringLiteral("Ohne Liga-Datenbank"));
        frage.setDefaultButton(QMessageBox::Ignore);
        frage.setEscapeButton(QMessageBox::Ignore);
        QString gewaehlt;
        switch (dialogs::showMessage(frage)) {
        case QMessageBox::Save:
            gewaehlt = NeueDateiWaehlen();
            break;
        case QMessageBox::Open:
            gewaehlt = dialogs::chooseFile(this, {false, QStringLiteral("mit Datenbank verbinden"), pfad, dateiFilter});
            break;
        default:
            return QString();
        }
        if (!gewaehlt.isEmpty())
            return gewaehlt;
    }
}

QString MainWindow::NeueDateiWaehlen() {
    const QString standard = tavorin::defaultDatabasePath(einstellungsOrdner);
    const QFileInfo datei(standard);
    if (!datei.exists() && !datei.isSymLink())
        return standard;
    return dialogs::chooseFile(this,
                               {true, QStringLiteral("Neue Liga-Datenbank anlegen"), einstellungsOrdner, dateiFilter});
}

void MainWindow::DateiAbgelehntMelden(const QString& pfad, const tavorin::db::Result& grund) {
    if (!GesperrtMelden(grund))
        MeldungAnzeigen(3, abgelehnt, pfad + QStringLiteral(": ") + grund.error);
}

void MainWindow::DatenbankImportieren() {
    const QString pfad =
        dialogs::chooseFile(this, {false, QStringLiteral("mit Datenbank verbinden"), dbPfad, dateiFilter});
    if (pfad.isEmpty())
        return; // cancelled: everything stays with the connected file
    // A file that is refused costs no backup of the connected one; an older league file is upgraded.
    tavorin::db::Result r = tavorin::db::checkLeagueFile(pfad);
    if (r && tavorin::db::LeagueDatabase::instance().hasFile() &&
        !SicherungAnlegen(QStringLiteral("Andere Datenbank verbinden")))
        return;
    if (r)
        r = tavorin::db::LeagueDatabase::instance().connectTo(pfad);
    if (!r) {
        DateiAbgelehntMelden(pfad, r);
        return;
    }
    dbPfad = pfad;
    PfadMerken(pfad);
    AllesNeuLaden();
    StatusMelden(QStringLiteral("Verbunden mit %1"), pfad);
}

void MainWindow::DatenbankSpeichern() {
    if (!tavorin::db::LeagueDatabase::instance().hasFile()) {
        MeldungAnzeigen(2, QStringLiteral("  Es ist keine Liga-Datenbank ge:oe:ffnet.  "));
        return;
    }
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
