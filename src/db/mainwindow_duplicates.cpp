#include "app/mainwindow.h"
#include "db/duplicates.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

void MainWindow::DoppelteGruppeAufbauen(QGroupBox* gruppe) {
    const QString grau = QStringLiteral("background-color:lightgray;");
    knopfDBpruefen = new QPushButton(UmlauteErsetzen(QStringLiteral("Datenbank pr:ue:fen")), gruppe);
    knopfDBpruefen->setObjectName(QStringLiteral("datenbankPruefenButton"));
    knopfDBpruefen->setGeometry(30, 30, 215, 25);
    knopfDBpruefen->setStyleSheet(grau);

    labelDoppelte = new QLabel(gruppe);
    labelDoppelte->setObjectName(QStringLiteral("doppelteErgebnisLabel"));
    labelDoppelte->setGeometry(10, 70, 255, 25);

    knopfDoppelteLoeschen =
        new QPushButton(UmlauteErsetzen(QStringLiteral("Doppelte Datens:ae:tze l:oe:schen")), gruppe);
    knopfDoppelteLoeschen->setObjectName(QStringLiteral("doppelteLoeschenButton"));
    knopfDoppelteLoeschen->setGeometry(30, 130, 215, 25);
    knopfDoppelteLoeschen->setStyleSheet(grau);
    knopfDoppelteLoeschen->hide();

    connect(knopfDBpruefen, &QPushButton::clicked, this, &MainWindow::DBpruefen);
    connect(knopfDoppelteLoeschen, &QPushButton::clicked, this, &MainWindow::DBdoppelLoeschen);
}

void MainWindow::DBpruefen() {
    doppelteSpiele = tavorin::db::findDuplicateMatches();
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
