#include "app/mainwindow.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

void MainWindow::SeiteErgebnisseAufbauen() {
    auto* zeile = new QHBoxLayout(seiteErgebnisse);
    zeile->addWidget(SpalteAnlegen(300, QStringLiteral("ergebnisseSpalteWidget"), &ergebnisseSpalteLayout));
    QGroupBox* spieltagauswahl =
        GruppeAnlegen(QStringLiteral("  Spieltagauswahl  "), 100, QStringLiteral("spieltagauswahlGroupBox"));
    comboLigaErgebnisse = LigaAuswahlAnlegen(QStringLiteral("ergebnisseLigaComboBox"));
    comboLigaErgebnisse->setParent(spieltagauswahl);
    comboLigaErgebnisse->setGeometry(10, 30, 280, 25);
    ergebnisseSpalteLayout->addWidget(spieltagauswahl);
    ergebnisseSpalteLayout->addStretch();
    zeile->addSpacing(20);
    tabelleErgebnisse = TabelleAnlegen(kopfSpiele, QStringLiteral("ergebnisseTableWidget"));
    tabelleErgebnisse->verticalHeader()->hide();
    zeile->addWidget(tabelleErgebnisse);
    zeile->addSpacing(20);
    ergebnisFormular = new QWidget;
    ergebnisFormular->setObjectName(QStringLiteral("ergebnisFormularWidget"));
    ergebnisFormular->setFixedWidth(400);
    zeile->addWidget(ergebnisFormular);
}
