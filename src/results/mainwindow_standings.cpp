#include "app/mainwindow.h"

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
    kopf->setFixedHeight(50);
    auto* kopfLayout = new QHBoxLayout(kopf);
    kopfLayout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(titel);
    label->setFont(schrift);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    kopfLayout->addWidget(label);
    spalte->addWidget(kopf);
    tabelle->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    spalte->addWidget(tabelle);
    return kopfLayout;
}

} // namespace

void MainWindow::SeiteTabelleAufbauen() {
    tabelleTabelle = TabelleAnlegen(kopfTabelle, QStringLiteral("ligaTabelleTableWidget"));
    tabelleKopfLayout = standingsPage(seiteTabelle, QStringLiteral("Tabelle - Liga: "), schriftGross, tabelleTabelle);
    comboLigaTabelle = LigaAuswahlAnlegen(QStringLiteral("tabelleLigaComboBox"));
    comboLigaTabelle->setFixedSize(200, 30);
    tabelleKopfLayout->addWidget(comboLigaTabelle);
}

void MainWindow::SeiteStatistikAufbauen() {
    tabelleStatistik = TabelleAnlegen(kopfStatistik, QStringLiteral("statistikTableWidget"));
    statistikKopfLayout =
        standingsPage(seiteStatistik, QStringLiteral("Statistik - Liga: "), schriftGross, tabelleStatistik);
    comboLigaStatistik = LigaAuswahlAnlegen(QStringLiteral("statistikLigaComboBox"));
    comboLigaStatistik->setFixedSize(200, 30);
    statistikKopfLayout->addWidget(comboLigaStatistik);
}
