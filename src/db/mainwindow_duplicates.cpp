#include "app/mainwindow.h"
#include "app/widgets.h"
#include "db/duplicates.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

void MainWindow::DoppelteGruppeAufbauen(QGroupBox* gruppe) {
    knopfDBpruefen = widgets::button(UmlauteErsetzen(QStringLiteral("Datenbank pr:ue:fen")), "datenbankPruefenButton");

    labelDoppelte = new QLabel;
    labelDoppelte->setObjectName(QStringLiteral("doppelteErgebnisLabel"));
    labelDoppelte->setWordWrap(true);

    knopfDoppelteLoeschen =
        widgets::button(UmlauteErsetzen(QStringLiteral("Doppelte Datens:ae:tze l:oe:schen")), "doppelteLoeschenButton");
    knopfDoppelteLoeschen->hide();

    auto* spalte = new QVBoxLayout(gruppe);
    spalte->addWidget(knopfDBpruefen);
    spalte->addWidget(labelDoppelte);
    spalte->addStretch();
    spalte->addWidget(knopfDoppelteLoeschen);

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
    if (!SchreibenMelden(tavorin::db::duplicateDeletions(doppelteSpiele, loeschungen)) ||
        !SicherungAnlegen(QStringLiteral("Doppelte Datens:ae:tze l:oe:schen")) || !DatenSchreiben(loeschungen))
        return;
    StatusMelden(QStringLiteral("Doppelte Datens:ae:tze gel:oe:scht"));
    knopfDoppelteLoeschen->hide();
    doppelteSpiele.clear();
    knopfDBpruefen->setEnabled(true);
}
