#include "app/mainwindow.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>

void MainWindow::SeiteSpielerAufbauen() {
    auto* zeile = new QHBoxLayout(seiteSpieler);
    tabelleSpieler = TabelleAnlegen(kopfSpieler, QStringLiteral("spielerTableWidget"));
    tabelleSpieler->hideColumn(0);
    tabelleSpieler->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    tabelleSpieler->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    zeile->addWidget(tabelleSpieler);
    zeile->addSpacing(20);
    gruppeSpielerverwaltung = new QGroupBox(QStringLiteral("Spielerverwaltung"));
    gruppeSpielerverwaltung->setObjectName(QStringLiteral("spielerverwaltungGroupBox"));
    gruppeSpielerverwaltung->setFixedWidth(600);
    gruppeSpielerverwaltung->setFont(schriftFett);
    zeile->addWidget(gruppeSpielerverwaltung);
}
