#include "app/mainwindow.h"
#include "app/widgets.h"
#include "results/numbers.h"
#include "results/standings.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// A page of the standings: a header row of height 50 with a right-aligned caption, the table below.
QHBoxLayout* standingsPage(QWidget* seite, const QString& titel, const QFont& schrift, QTableWidget* tabelle) {
    auto* spalte = new QVBoxLayout(seite);
    auto* kopf = new QWidget;
    widgets::designSize(kopf, -1, 50);
    auto* kopfLayout = new QHBoxLayout(kopf);
    kopfLayout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(titel);
    label->setFont(schrift);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    kopfLayout->addWidget(label);
    spalte->addWidget(kopf);
    // The figures take the width their captions and values need, the names the rest.
    tabelle->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tabelle->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    spalte->addWidget(tabelle);
    return kopfLayout;
}

} // namespace

void MainWindow::SeiteTabelleAufbauen() {
    tabelleTabelle = TabelleAnlegen(kopfTabelle, QStringLiteral("ligaTabelleTableWidget"));
    QHBoxLayout* tabelleKopfLayout =
        standingsPage(seiteTabelle, QStringLiteral("Tabelle - Liga: "), schriftGross, tabelleTabelle);
    comboLigaTabelle = LigaAuswahlAnlegen(QStringLiteral("tabelleLigaComboBox"));
    comboLigaTabelle->setFixedSize(200, 30);
    tabelleKopfLayout->addWidget(comboLigaTabelle);
}

void MainWindow::SeiteStatistikAufbauen() {
    tabelleStatistik = TabelleAnlegen(kopfStatistik, QStringLiteral("statistikTableWidget"));
    QHBoxLayout* statistikKopfLayout =
        standingsPage(seiteStatistik, QStringLiteral("Statistik - Liga: "), schriftGross, tabelleStatistik);
    comboLigaStatistik = LigaAuswahlAnlegen(QStringLiteral("statistikLigaComboBox"));
    comboLigaStatistik->setFixedSize(200, 30);
    statistikKopfLayout->addWidget(comboLigaStatistik);
}

namespace {

void zentriert(int, int, QTableWidgetItem* zelle) {
    zelle->setTextAlignment(Qt::AlignCenter);
}

} // namespace

void MainWindow::tabelleTabelleFullen() {
    const QList<tavorin::LeagueTableRow> tabelle =
        tavorin::rankedLeagueTable(AusgewaehlteLigaId(comboLigaTabelle), punkte.reihenfolge);
    if (LesenGescheitert())
        return;
    QList<QStringList> zeilen;
    for (const tavorin::LeagueTableRow& r : tabelle)
        zeilen.append(QStringList{tavorin::standingsName(r.name1, r.name2)} + tavorin::leagueTableFigures(r));
    TabelleFuellen(tabelleTabelle, kopfTabelle, zeilen, zentriert);
}

void MainWindow::tabelleStatistikFuellen() {
    // Refreshing a view is no user change: when the rewrite cannot be written the fill goes on quietly.
    tavorin::rewriteZeroBestLegs();
    const QList<tavorin::StatisticsRow> statistik = tavorin::statistics(AusgewaehlteLigaId(comboLigaStatistik));
    if (LesenGescheitert())
        return;
    QList<QStringList> zeilen;
    for (const tavorin::StatisticsRow& r : statistik)
        zeilen.append(QStringList{tavorin::standingsName(r.name1, r.name2)} + tavorin::statisticsFigures(r));
    TabelleFuellen(tabelleStatistik, kopfStatistik, zeilen, zentriert);
}
