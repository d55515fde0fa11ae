#include "app/mainwindow.h"
#include "db/backups.h"
#include "db/restoredialog.h"

#include <QDateTime>

#include <algorithm>

namespace {
const QString misslungen = QStringLiteral("Die Sicherung der Liga-Datenbank konnte nicht angelegt werden.");
} // namespace

bool MainWindow::SicherungAnlegen(const QString& anlass, const QString& behalten) {
    QString datei;
    const tavorin::db::Result r =
        tavorin::db::writeBackup(tavorin::db::backupFolder(einstellungsOrdner), dbPfad, UmlauteErsetzen(anlass),
                                 QDateTime::currentDateTime(), &datei, behalten);
    if (!r) {
        MeldungAnzeigen(3, misslungen + QStringLiteral(" Der Befehl wird nicht ausgef:ue:hrt."), r.error);
        return false;
    }
    StatusMelden(QStringLiteral("Sicherung angelegt: %1"), datei);
    return true;
}

void MainWindow::TagesSicherungAnlegen() {
    // The newest backup recorded for this file decides; a failed one left none, so it is tried again.
    const QString ordner = tavorin::db::backupFolder(einstellungsOrdner);
    const QList<tavorin::db::Backup> sicherungen = tavorin::db::backupsOf(ordner, dbPfad);
    const auto neueste = std::find_if(sicherungen.cbegin(), sicherungen.cend(),
                                      [](const tavorin::db::Backup& b) { return !b.leagueFile.isEmpty(); });
    if (neueste != sicherungen.cend() && neueste->time.date() == QDate::currentDate())
        return;
    QString datei;
    const tavorin::db::Result r = tavorin::db::writeBackup(ordner, dbPfad, QStringLiteral("Erster Start des Tages"),
                                                           QDateTime::currentDateTime(), &datei);
    if (r)
        StatusMelden(QStringLiteral("Sicherung angelegt: %1"), datei);
    else
        MeldungAnzeigen(3, misslungen, r.error);
}

void MainWindow::SicherungWiederherstellen() {
    const QString ordner = tavorin::db::backupFolder(einstellungsOrdner);
    const bool datei = tavorin::db::LeagueDatabase::instance().hasFile();
    const QList<tavorin::db::Backup> sicherungen =
        datei ? tavorin::db::backupsOf(ordner, dbPfad) : QList<tavorin::db::Backup>();
    if (sicherungen.isEmpty()) {
        MeldungAnzeigen(2, datei ? QStringLiteral("  F:ue:r diese Liga-Datenbank gibt es noch keine Sicherung.  ")
                                 : QStringLiteral("  Es ist keine Liga-Datenbank ge:oe:ffnet.  "));
        return;
    }
    RestoreDialog fenster(sicherungen, this);
    if (fenster.exec() != QDialog::Accepted || fenster.chosenRow() < 0)
        return;
    const tavorin::db::Backup gewaehlt = sicherungen[fenster.chosenRow()];
    const QString nichtWiederhergestellt = QStringLiteral("  Die Sicherung konnte nicht wiederhergestellt werden!  ");
    if (const tavorin::db::Result geprueft = tavorin::db::checkBackup(ordner, gewaehlt); !geprueft) {
        MeldungAnzeigen(4, nichtWiederhergestellt, geprueft.error);
        return;
    }
    const QString wann = gewaehlt.time.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    if (!FrageAnzeigen(QStringLiteral("  Die Liga-Datenbank wird durch die Sicherung vom ") + wann +
                       QStringLiteral(" ersetzt. Fortfahren?  ")) ||
        !SicherungAnlegen(QStringLiteral("Vor dem Wiederherstellen"), gewaehlt.path))
        return;
    if (const tavorin::db::Result ersetzt = tavorin::db::restoreBackup(ordner, gewaehlt, dbPfad); !ersetzt) {
        MeldungAnzeigen(4, nichtWiederhergestellt, ersetzt.error);
        return;
    }
    // Restored only once the league has been opened again and read.
    if (!DatenbankOeffnen())
        return;
    AllesNeuLaden();
    if (!LesenGescheitert())
        StatusMelden(QStringLiteral("Sicherung vom %1 wiederhergestellt"), wann);
}
