#include "app/mainwindow.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>

void MainWindow::SeiteLigenAufbauen() {
    auto* zeile = new QHBoxLayout(seiteLigen);
    tabelleLigen = TabelleAnlegen(kopfLigen, QStringLiteral("ligenTableWidget"));
    tabelleLigen->hideColumn(0);
    tabelleLigen->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    zeile->addWidget(tabelleLigen);
    zeile->addSpacing(20);
    gruppeLigenverwaltung = new QGroupBox(QStringLiteral("Ligenverwaltung"));
    gruppeLigenverwaltung->setObjectName(QStringLiteral("ligenverwaltungGroupBox"));
    gruppeLigenverwaltung->setFixedWidth(600);
    gruppeLigenverwaltung->setFont(schriftFett);
    zeile->addWidget(gruppeLigenverwaltung);
}
