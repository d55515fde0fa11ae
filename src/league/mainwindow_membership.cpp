#include "app/mainwindow.h"
#include "league/registry.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QToolButton>
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
    auto* pfeilSpalteLayout = new QVBoxLayout(pfeile);
    auto* rechts = new QToolButton;
    rechts->setObjectName(QStringLiteral("zuordnenToolButton"));
    rechts->setArrowType(Qt::RightArrow);
    rechts->setFixedSize(60, 30);
    auto* links = new QToolButton;
    links->setObjectName(QStringLiteral("austragenToolButton"));
    links->setArrowType(Qt::LeftArrow);
    links->setFixedSize(60, 30);
    pfeilSpalteLayout->addStretch();
    pfeilSpalteLayout->addWidget(rechts, 0, Qt::AlignHCenter);
    pfeilSpalteLayout->addSpacing(20);
    pfeilSpalteLayout->addWidget(links, 0, Qt::AlignHCenter);
    pfeilSpalteLayout->addStretch();
    raster->addWidget(pfeile, 0, 1, 2, 1);

    auto* kopf = new QWidget;
    kopf->setFixedHeight(50);
    auto* zuordnungKopfLayout = new QHBoxLayout(kopf);
    zuordnungKopfLayout->setContentsMargins(0, 0, 0, 0);
    auto* liga = new QLabel(QStringLiteral("Liga:"));
    liga->setFont(schriftGross);
    liga->setFixedSize(60, 50);
    zuordnungKopfLayout->addWidget(liga);
    comboLigaZuordnung = LigaAuswahlAnlegen(QStringLiteral("zuordnungLigaComboBox"));
    zuordnungKopfLayout->addWidget(comboLigaZuordnung, 1);
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

    connect(rechts, &QToolButton::clicked, this, &MainWindow::ZuordnungEintragen);
    connect(links, &QToolButton::clicked, this, &MainWindow::ZuordnungAustragen);
}

void MainWindow::tabelleSpielerpoolFuellen() {
    if (!SpielerlistenSichtbar())
        return;
    const QList<tavorin::registry::PlayerRow> pool = tavorin::registry::poolPlayers();
    if (!LesenGescheitert())
        TabelleFuellen(tabelleSpielerpool, kopfSpieler, tavorin::registry::tableRows(pool));
}

void MainWindow::LigaZuordnungFuellen() {
    const QList<tavorin::registry::PlayerRow> mitglieder =
        tavorin::registry::leagueMembers(AusgewaehlteLigaId(comboLigaZuordnung));
    if (!LesenGescheitert())
        TabelleFuellen(tabelleMitglieder, kopfSpieler, tavorin::registry::tableRows(mitglieder));
}

void MainWindow::ZuordnungEintragen() {
    const int row = tabelleSpielerpool->currentRow();
    if (row < 0) {
        MeldungAnzeigen(3, QStringLiteral(" Es ist kein Spieler zum Verschieben ausgew:ae:hlt!"));
        return;
    }
    const QString liga = AusgewaehlteLigaId(comboLigaZuordnung);
    if (liga.isEmpty()) {
        MeldungAnzeigen(3, QStringLiteral("  Es wurde keine Liga ausgew:ae:hlt.  "));
        return;
    }
    DatenSchreiben({tavorin::registry::assignPlayer(tabelleSpielerpool->item(row, 0)->text(), liga)});
}

void MainWindow::ZuordnungAustragen() {
    const int row = tabelleMitglieder->currentRow();
    if (row < 0) {
        MeldungAnzeigen(3, QStringLiteral(" Es ist kein Spieler zum Verschieben ausgew:ae:hlt!"));
        return;
    }
    DatenSchreiben({tavorin::registry::removeAssignment(tabelleMitglieder->item(row, 0)->text())});
}
