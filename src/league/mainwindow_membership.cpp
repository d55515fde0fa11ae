#include "app/mainwindow.h"
#include "app/widgets.h"
#include "league/registry.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

void MainWindow::SeiteZuordnungAufbauen() {
    auto* raster = new QGridLayout(seiteZuordnung);

    auto* poolKopf = new QWidget;
    widgets::designSize(poolKopf, -1, 50);
    auto* poolKopfLayout = new QHBoxLayout(poolKopf);
    poolKopfLayout->setContentsMargins(0, 0, 0, 0);
    auto* pool = new QLabel(QStringLiteral("Spielerpool"));
    pool->setFont(schriftGross);
    poolKopfLayout->addWidget(pool);
    raster->addWidget(poolKopf, 0, 0);

    auto* pfeile = new QWidget;
    pfeile->setObjectName(QStringLiteral("pfeilSpalteWidget"));
    widgets::designSize(pfeile, 80);
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
    widgets::designSize(kopf, -1, 50);
    auto* zuordnungKopfLayout = new QHBoxLayout(kopf);
    zuordnungKopfLayout->setContentsMargins(0, 0, 0, 0);
    auto* liga = new QLabel(QStringLiteral("Liga:"));
    liga->setFont(schriftGross);
    widgets::designSize(liga, 60, 50);
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
        tabelle->setSelectionBehavior(QAbstractItemView::SelectRows); // several players move at once
    }
    filterPool = FilterAnlegen(tabelleSpielerpool, QStringLiteral("poolFilterLineEdit"));
    poolKopfLayout->addWidget(filterPool);
    raster->addWidget(tabelleSpielerpool, 1, 0);
    raster->addWidget(tabelleMitglieder, 1, 2);

    connect(rechts, &QToolButton::clicked, this, &MainWindow::ZuordnungEintragen);
    connect(links, &QToolButton::clicked, this, &MainWindow::ZuordnungAustragen);
    connect(tabelleSpielerpool, &QTableWidget::cellDoubleClicked, this, &MainWindow::ZuordnungEintragen);
    connect(tabelleMitglieder, &QTableWidget::cellDoubleClicked, this, &MainWindow::ZuordnungAustragen);
}

void MainWindow::tabelleSpielerpoolFuellen() {
    SpielerlisteFuellen(tabelleSpielerpool, filterPool, tavorin::registry::poolPlayers);
}

QStringList MainWindow::AusgewaehlteIds(const QTableWidget* tabelle) {
    // The selected rows that are shown, else the current row; the ids in column 0.
    QList<int> zeilen;
    const QModelIndexList auswahl = tabelle->selectionModel()->selectedRows();
    for (const QModelIndex& index : auswahl) {
        if (!tabelle->isRowHidden(index.row()))
            zeilen.append(index.row());
    }
    if (zeilen.isEmpty() && tabelle->currentRow() >= 0 && !tabelle->isRowHidden(tabelle->currentRow()))
        zeilen.append(tabelle->currentRow());
    std::sort(zeilen.begin(), zeilen.end());
    QStringList ids;
    for (int row : zeilen)
        ids.append(tabelle->item(row, 0)->text());
    return ids;
}

void MainWindow::LigaZuordnungFuellen() {
    const QList<tavorin::registry::PlayerRow> mitglieder =
        tavorin::registry::leagueMembers(AusgewaehlteLigaId(comboLigaZuordnung));
    if (!LesenGescheitert())
        TabelleFuellen(tabelleMitglieder, kopfSpieler, tavorin::registry::tableRows(mitglieder));
}

void MainWindow::ZuordnungEintragen() {
    const QStringList spieler = AusgewaehlteIds(tabelleSpielerpool);
    if (spieler.isEmpty()) {
        MeldungAnzeigen(3, QStringLiteral(" Es ist kein Spieler zum Verschieben ausgew:ae:hlt!"));
        return;
    }
    const QString liga = AusgewaehlteLigaId(comboLigaZuordnung);
    if (liga.isEmpty()) {
        MeldungAnzeigen(3, QStringLiteral("  Es wurde keine Liga ausgew:ae:hlt.  "));
        return;
    }
    QList<tavorin::db::Statement> zuordnungen;
    for (const QString& id : spieler)
        zuordnungen.append(tavorin::registry::assignPlayer(id, liga));
    if (DatenSchreiben(zuordnungen)) // all selected players move together or not at all
        StatusMelden(QStringLiteral("%1 Spieler der Liga zugeordnet"), QString::number(zuordnungen.size()));
}

void MainWindow::ZuordnungAustragen() {
    const QStringList zuordnungen = AusgewaehlteIds(tabelleMitglieder);
    if (zuordnungen.isEmpty()) {
        MeldungAnzeigen(3, QStringLiteral(" Es ist kein Spieler zum Verschieben ausgew:ae:hlt!"));
        return;
    }
    // A member with matches in the schedule stays: without him the schedule would hold matches of a
    // non-member, still counting for his opponents. The whole move is refused, so nobody half moves.
    const QStringList mitSpielen = tavorin::registry::membersWithMatches(zuordnungen);
    if (LesenGescheitert())
        return;
    if (!mitSpielen.isEmpty()) {
        const bool einer = mitSpielen.size() == 1;
        const QString text = einer ? QStringLiteral("  Der Spieler %1 hat in der Liga %2 Spiele im Spielplan. "
                                                    "Ersetzen Sie ihn dort durch einen anderen Spieler oder l:oe:schen "
                                                    "Sie erst den Spielplan der Liga. Niemand wurde ausgetragen.  ")
                                   : QStringLiteral("  Die Spieler %1 haben in der Liga %2 Spiele im Spielplan. "
                                                    "Ersetzen Sie sie dort durch andere Spieler oder l:oe:schen Sie "
                                                    "erst den Spielplan der Liga. Niemand wurde ausgetragen.  ");
        MeldungAnzeigen(3, text.arg(mitSpielen.join(QStringLiteral(", ")), comboLigaZuordnung->currentText()));
        return;
    }
    QList<tavorin::db::Statement> loeschungen;
    for (const QString& id : zuordnungen)
        loeschungen.append(tavorin::registry::removeAssignment(id));
    if (DatenSchreiben(loeschungen))
        StatusMelden(QStringLiteral("%1 Spieler aus der Liga ausgetragen"), QString::number(loeschungen.size()));
}
