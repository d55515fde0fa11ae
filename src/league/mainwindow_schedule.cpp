#include "app/mainwindow.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

void MainWindow::SeiteSpieltageAufbauen() {
    auto* zeile = new QHBoxLayout(seiteSpieltage);
    zeile->addWidget(SpalteAnlegen(300, QStringLiteral("spieltageSpalteWidget"), &spieltageSpalteLayout));
    QGroupBox* ligaGruppe =
        GruppeAnlegen(QStringLiteral("  Liga ausw:ae:hlen  "), 80, QStringLiteral("spieltageLigaGroupBox"));
    comboLigaSpieltage = LigaAuswahlAnlegen(QStringLiteral("spieltageLigaComboBox"));
    comboLigaSpieltage->setParent(ligaGruppe);
    comboLigaSpieltage->setGeometry(10, 35, 280, 25);
    spieltageSpalteLayout->addWidget(ligaGruppe);
    spieltageSpalteLayout->addStretch();
    zeile->addSpacing(20);
    tabelleSpielplan = TabelleAnlegen(kopfSpiele, QStringLiteral("spielplanTableWidget"));
    tabelleSpielplan->verticalHeader()->hide();
    zeile->addWidget(tabelleSpielplan);
    zeile->addSpacing(20);
    zeile->addWidget(SpalteAnlegen(400, QStringLiteral("spieltageRechtsWidget"), &spieltageRechtsLayout));
}
