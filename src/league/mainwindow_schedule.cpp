#include "app/mainwindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

void MainWindow::SeiteSpieltageAufbauen() {
    auto* zeile = new QHBoxLayout(seiteSpieltage);
    zeile->addWidget(SpalteAnlegen(300, QStringLiteral("spieltageSpalteWidget"), &spieltageSpalteLayout));
    zeile->addSpacing(20);
    tabelleSpielplan = TabelleAnlegen(kopfSpiele, QStringLiteral("spielplanTableWidget"));
    tabelleSpielplan->verticalHeader()->hide();
    zeile->addWidget(tabelleSpielplan);
    zeile->addSpacing(20);
    zeile->addWidget(SpalteAnlegen(400, QStringLiteral("spieltageRechtsWidget"), &spieltageRechtsLayout));
}
