#include "app/mainwindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

void MainWindow::SeiteErgebnisseAufbauen() {
    auto* zeile = new QHBoxLayout(seiteErgebnisse);
    zeile->addWidget(SpalteAnlegen(300, QStringLiteral("ergebnisseSpalteWidget"), &ergebnisseSpalteLayout));
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
