#include "app/mainwindow.h"
#include "db/backups.h"
#include "db/filecommands.h"

#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const QString misslungen = QStringLiteral("Die Sicherung der Liga-Datenbank konnte nicht angelegt werden.");
} // namespace

bool MainWindow::SicherungAnlegen(const QString& anlass) {
    QString datei;
    const tavorin::db::Result r =
        tavorin::db::writeBackup(tavorin::db::backupFolder(einstellungsOrdner), dbPfad, UmlauteErsetzen(anlass),
                                 QDateTime::currentDateTime(), &datei);
    if (!r) {
        MeldungAnzeigen(3, misslungen + QStringLiteral(" Der Befehl wird nicht ausgef:ue:hrt."), r.error);
        return false;
    }
    StatusMelden(QStringLiteral("Sicherung angelegt: %1"), datei);
    return true;
}

void MainWindow::TagesSicherungAnlegen() {
    const QString ordner = tavorin::db::backupFolder(einstellungsOrdner);
    const QList<tavorin::db::Backup> sicherungen = tavorin::db::backupsOf(ordner, dbPfad);
    if (!sicherungen.isEmpty() && sicherungen.constFirst().time.date() == QDate::currentDate())
        return;
    const tavorin::db::Result r = tavorin::db::writeBackup(ordner, dbPfad, QStringLiteral("Erster Start des Tages"),
                                                           QDateTime::currentDateTime());
    if (!r)
        MeldungAnzeigen(3, misslungen, r.error);
}

void MainWindow::SicherungWiederherstellen() {
    const QString ordner = tavorin::db::backupFolder(einstellungsOrdner);
    const QList<tavorin::db::Backup> sicherungen = tavorin::db::backupsOf(ordner, dbPfad);
    if (sicherungen.isEmpty()) {
        MeldungAnzeigen(2, QStringLiteral("  F:ue:r diese Liga-Datenbank gibt es noch keine Sicherung.  "));
        return;
    }
    QDialog fenster(this);
    fenster.setObjectName(QStringLiteral("sicherungenDialog"));
    fenster.setWindowTitle(QStringLiteral("Sicherung wiederherstellen"));
    QList<QStringList> zeilen;
    for (const tavorin::db::Backup& b : sicherungen)
        zeilen.append({b.time.toString(QStringLiteral("dd.MM.yyyy")), b.time.toString(QStringLiteral("HH:mm:ss")),
                       QLocale(QLocale::German).formattedDataSize(b.size), b.reason});
    const QStringList kopf = {QStringLiteral("Datum"), QStringLiteral("Uhrzeit"),
                              UmlauteErsetzen(QStringLiteral("Gr:oe::sz:e")), QStringLiteral("Anlass")};
    QTableWidget* liste = TabelleAnlegen(kopf, QStringLiteral("sicherungenTableWidget"));
    TabelleFuellen(liste, kopf, zeilen);
    liste->setSelectionBehavior(QAbstractItemView::SelectRows);
    liste->setSelectionMode(QAbstractItemView::SingleSelection);
    liste->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    liste->selectRow(0);
    auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Cancel);
    knoepfe->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    QPushButton* wiederherstellen =
        knoepfe->addButton(QStringLiteral("Wiederherstellen"), QDialogButtonBox::AcceptRole);
    wiederherstellen->setObjectName(QStringLiteral("wiederherstellenButton"));
    wiederherstellen->setDefault(true);
    connect(knoepfe, &QDialogButtonBox::accepted, &fenster, &QDialog::accept);
    connect(knoepfe, &QDialogButtonBox::rejected, &fenster, &QDialog::reject);
    auto* spalte = new QVBoxLayout(&fenster);
    spalte->addWidget(liste);
    spalte->addWidget(knoepfe);
    fenster.resize(620, 360);
    if (fenster.exec() != QDialog::Accepted || liste->currentRow() < 0)
        return;

    const tavorin::db::Backup gewaehlt = sicherungen[liste->currentRow()];
    const QString wann = gewaehlt.time.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    if (!FrageAnzeigen(QStringLiteral("  Die Liga-Datenbank wird durch die Sicherung vom ") + wann +
                       QStringLiteral(" ersetzt. Fortfahren?  ")) ||
        (tavorin::db::LeagueDatabase::instance().hasFile() &&
         !SicherungAnlegen(QStringLiteral("Vor dem Wiederherstellen"))))
        return;
    // The backup takes the file's place in one step; the program then works on it as on a newly opened file.
    const tavorin::db::Result ersetzt = tavorin::db::copyDatabaseFile(gewaehlt.path, dbPfad);
    if (!ersetzt) {
        MeldungAnzeigen(4, QStringLiteral("  Die Sicherung konnte nicht wiederhergestellt werden!  "), ersetzt.error);
        return;
    }
    DatenbankOeffnen();
    AllesNeuLaden();
    StatusMelden(QStringLiteral("Sicherung vom %1 wiederhergestellt"), wann);
}
