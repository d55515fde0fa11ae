#include "app/mainwindow.h"
#include "db/schema.h"

void MainWindow::DatenbankOeffnen() {
    const tavorin::db::Result r = tavorin::db::createOrUpgrade(dbPfad);
    if (!r)
        MeldungAnzeigen(4, QStringLiteral("  Die Datenbank kann nicht ge:oe:ffnet werden:  "), dbPfad);
}

bool MainWindow::DBaufSpaltePruefen(QString table, QString column) {
    return tavorin::db::hasColumn(table, column);
}

bool MainWindow::DatenSchreiben(const QList<tavorin::db::Statement>& anweisungen) {
    return SchreibenMelden(tavorin::db::writeAll(anweisungen));
}

bool MainWindow::SchreibenMelden(const tavorin::db::Result& ergebnis) {
    if (!ergebnis)
        MeldungAnzeigen(4, QStringLiteral("  Die Daten konnten nicht gespeichert werden!  "), ergebnis.error);
    return ergebnis.ok;
}
