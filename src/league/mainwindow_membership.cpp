#include "app/mainwindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

void MainWindow::SeiteZuordnungAufbauen() {
    auto* raster = new QGridLayout(seiteZuordnung);

    auto* pool = new QLabel(QStringLiteral("Spielerpool"));
    pool->setFont(schriftGross);
    pool->setFixedHeight(50);
    raster->addWidget(pool, 0, 0);

    auto* pfeile = new QWidget;
    pfeile->setObjectName(QStringLiteral("pfeilSpalteWidget"));
    pfeile->setFixedWidth(80);
    pfeilSpalteLayout = new QVBoxLayout(pfeile);
    raster->addWidget(pfeile, 0, 1, 2, 1);

    auto* kopf = new QWidget;
    kopf->setFixedHeight(50);
    zuordnungKopfLayout = new QHBoxLayout(kopf);
    zuordnungKopfLayout->setContentsMargins(0, 0, 0, 0);
    auto* liga = new QLabel(QStringLiteral("Liga:"));
    liga->setFont(schriftGross);
    liga->setFixedSize(60, 50);
    zuordnungKopfLayout->addWidget(liga);
    raster->addWidget(kopf, 0, 2);

    tabelleSpielerpool = TabelleAnlegen(kopfSpieler, QStringLiteral("spielerpoolTableWidget"));
    tabelleMitglieder = TabelleAnlegen(kopfSpieler, QStringLiteral("mitgliederTableWidget"));
    for (QTableWidget* tabelle : {tabelleSpielerpool, tabelleMitglieder}) {
        tabelle->hideColumn(0);
        tabelle->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
        tabelle->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    }
    raster->addWidget(tabelleSpielerpool, 1, 0);
    raster->addWidget(tabelleMitglieder, 1, 2);
}
