#include "app/mainwindow.h"
#include "app/widgets.h"
#include "db/duplicates.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

void MainWindow::DoppelteGruppeAufbauen(QGroupBox* gruppe) {
    knopfDBpruefen = widgets::placedButton(gruppe, UmlauteErsetzen(QStringLiteral("Datenbank pr:ue:fen")),
                                           QRect(30, 30, 215, 25), "datenbankPruefenButton");

    labelDoppelte = new QLabel(gruppe);
    labelDoppelte->setObjectName(QStringLiteral("doppelteErgebnisLabel"));
    labelDoppelte->setGeometry(10, 70, 255, 25);

    knopfDoppelteLoeschen =
        widgets::placedButton(gruppe, UmlauteErsetzen(QStringLiteral("Doppelte Datens:ae:tze l:oe:schen")),
                              QRect(30, 130, 215, 25), "doppelteLoeschenButton");
    knopfDoppelteLoeschen->hide();

    connect(knopfDBpruefen, &QPushButton::clicked, this, &MainWindow::DBpruefen);
    connect(knopfDoppelteLoeschen, &QPushButton::clicked, this, &MainWindow::DBdoppelLoeschen);
}

void MainWindow::DBpruefen() {
    const QStringList gefunden = tavorin::db::findDuplicateMatches();
    if (LesenGescheitert())
        return;
    doppelteSpiele = gefunden;
    labelDoppelte->setText(tavorin::db::duplicateReport(doppelteSpiele));
    if (!doppelteSpiele.isEmpty()) {
        knopfDoppelteLoeschen->show();
        knopfDBpruefen->setEnabled(false);
    }
}

void MainWindow::DBdoppelLoeschen() {
    // All matches are reduced together or not at all; after a failure the found state stays, so the
    // deletion can be tried again.
    QList<tavorin::db::Statement> loeschungen;
    if (!SchreibenMelden(tavorin::db::duplicateDeletions(doppelteSpiele, loeschungen)) || !DatenSchreiben(loeschungen))
        return;
    knopfDoppelteLoeschen->hide();
    doppelteSpiele.clear();
    knopfDBpruefen->setEnabled(true);
}
