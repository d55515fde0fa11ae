#include "app/mainwindow.h"
#include "app/textescape.h"
#include "app/widgets.h"
#include "results/resultlist.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QComboBox* auswahl(const char* name) {
    auto* box = new QComboBox;
    box->setObjectName(QLatin1StringView(name));
    return box;
}

} // namespace

void MainWindow::SeiteErgebnisseAufbauen() {
    auto* zeile = new QHBoxLayout(seiteErgebnisse);
    QVBoxLayout* ergebnisseSpalteLayout = nullptr;
    zeile->addWidget(SpalteAnlegen(300, QStringLiteral("ergebnisseSpalteWidget"), &ergebnisseSpalteLayout));

    QGroupBox* spieltagauswahl =
        GruppeAnlegen(QStringLiteral("  Spieltagauswahl  "), 100, QStringLiteral("spieltagauswahlGroupBox"));
    comboLigaErgebnisse = LigaAuswahlAnlegen(QStringLiteral("ergebnisseLigaComboBox"));
    comboSpieltag = auswahl("spieltagComboBox");
    auto* spieltagLayout = new QVBoxLayout(spieltagauswahl);
    spieltagLayout->addWidget(comboLigaErgebnisse);
    spieltagLayout->addWidget(comboSpieltag);

    QGroupBox* alleSpiele = GruppeAnlegen(QStringLiteral("  Alle Spiele von") + QChar(0x2026) + QStringLiteral("  "),
                                          100, QStringLiteral("alleSpieleGroupBox"));
    comboEinzel = auswahl("einzelSpielerComboBox");
    QPushButton* spieleAuswaehlen =
        widgets::button(UmlauteErsetzen(QStringLiteral("Spiele ausw:ae:hlen")), "spieleAuswaehlenButton");
    auto* alleSpieleLayout = new QVBoxLayout(alleSpiele);
    alleSpieleLayout->addWidget(comboEinzel);
    alleSpieleLayout->addWidget(spieleAuswaehlen);

    gruppeImport =
        GruppeAnlegen(QStringLiteral("  Von Online-Plattform importieren  "), 70, QStringLiteral("importGroupBox"));
    QPushButton* prodarter = widgets::button(QStringLiteral("prodarter"), "prodarterButton");
    QPushButton* lidarts = widgets::button(QStringLiteral("Lidarts"), "lidartsButton");
    auto* importLayout = new QHBoxLayout(gruppeImport);
    importLayout->addWidget(prodarter);
    importLayout->addWidget(lidarts);

    ergebnisseSpalteLayout->addWidget(spieltagauswahl);
    ergebnisseSpalteLayout->addSpacing(10);
    ergebnisseSpalteLayout->addWidget(alleSpiele);
    ergebnisseSpalteLayout->addSpacing(10);
    ergebnisseSpalteLayout->addWidget(gruppeImport);
    ergebnisseSpalteLayout->addStretch();
    gruppeImport->hide();

    zeile->addSpacing(20);
    tabelleErgebnisse = TabelleAnlegen(kopfErgebnisse, QStringLiteral("ergebnisseTableWidget"));
    tabelleErgebnisse->verticalHeader()->hide();
    for (int spalte : {0, 4, 5})
        tabelleErgebnisse->hideColumn(spalte);
    tabelleErgebnisse->setColumnWidth(1, 50);
    tabelleErgebnisse->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    tabelleErgebnisse->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    tabelleErgebnisse->setColumnWidth(6, 60);
    zeile->addWidget(tabelleErgebnisse);
    zeile->addSpacing(20);
    ErgebnisFormularAufbauen();
    zeile->addWidget(ergebnisFormular);

    connect(spieleAuswaehlen, &QPushButton::clicked, this, &MainWindow::tabelleNachSpielerFuellen);
    connect(prodarter, &QPushButton::clicked, this,
            [this] { FensterWerteImportieren(tavorin::ImportPlatform::Prodarter); });
    connect(lidarts, &QPushButton::clicked, this,
            [this] { FensterWerteImportieren(tavorin::ImportPlatform::Lidarts); });
    connect(tabelleErgebnisse, &QTableWidget::cellClicked, this, &MainWindow::tabelleErgSTanklicken);
}

void MainWindow::comboErgSTLaden() {
    const QList<tavorin::resultlist::MatchDay> tage =
        tavorin::resultlist::matchDays(AusgewaehlteLigaId(comboLigaErgebnisse));
    if (!LesenGescheitert())
        SpieltageAnzeigen(tage);
}

void MainWindow::SpieltageAnzeigen(const QList<tavorin::resultlist::MatchDay>& tage) {
    // The first day is chosen; the results table and the form follow.
    QList<QPair<QString, QVariant>> eintraege;
    for (const tavorin::resultlist::MatchDay& tag : tage)
        eintraege.append({tag.caption, tag.number});
    AuswahlFuellen(comboSpieltag, eintraege);
}

void MainWindow::comboEinzelLaden() {
    const QList<tavorin::resultlist::Member> mitglieder =
        tavorin::resultlist::members(AusgewaehlteLigaId(comboLigaErgebnisse));
    if (LesenGescheitert())
        return;
    // The chosen player stays chosen while he is still listed, so his matches can be entered one after
    // another; otherwise the league's first member is shown.
    const QString bisher = comboEinzel->currentData().toString();
    comboEinzel->clear();
    for (const tavorin::resultlist::Member& m : mitglieder)
        comboEinzel->addItem(tavorin::safeName(m.name), m.id);
    const int index = comboEinzel->findData(bisher);
    if (index > 0)
        comboEinzel->setCurrentIndex(index);
}

void MainWindow::tabelleNachSpielstandFuellen() {
    anzeigeNachSpieler = false;
    tabelleErgSTFuellen();
}

void MainWindow::tabelleNachSpielerFuellen() {
    anzeigeNachSpieler = true;
    tabelleErgSTFuellen();
}

void MainWindow::tabelleErgSTFuellen() {
    const QList<tavorin::resultlist::ListedMatch> spiele =
        anzeigeNachSpieler ? tavorin::resultlist::matchesOfPlayer(comboEinzel->currentData().toString())
                           : tavorin::resultlist::matchesOfDay(AusgewaehlteLigaId(comboLigaErgebnisse),
                                                               comboSpieltag->currentData().toString());
    if (LesenGescheitert())
        return;
    QList<QStringList> zeilen;
    for (const tavorin::resultlist::ListedMatch& s : spiele) {
        // The legs of a played match as the home player's row holds them, home first.
        const QString ergebnis = s.played ? s.legsWon + QLatin1Char(':') + s.legsLost : QString();
        zeilen.append({s.id, s.spieltag, bezeichnungen.anzeige ? s.heimName : s.heimDName,
                       bezeichnungen.anzeige ? s.gastName : s.gastDName, s.heim, s.gast, ergebnis});
    }
    TabelleFuellen(tabelleErgebnisse, kopfErgebnisse, zeilen, [&](int row, int column, QTableWidgetItem* zelle) {
        // The name cells carry the platform names too: the import compares the platform's names with them.
        if (column == 2)
            zelle->setData(Qt::UserRole, spiele[row].heimName);
        else if (column == 3)
            zelle->setData(Qt::UserRole, spiele[row].gastName);
        if (column == 0 || column == 4 || column == 5)
            return; // hidden ids
        zelle->setTextAlignment(Qt::AlignCenter);
        if (spiele[row].played) {
            zelle->setFont(schriftFett);
            zelle->setForeground(QBrush(Qt::darkGreen, Qt::SolidPattern));
        }
    });
}

void MainWindow::ErgebnisAnsichtAktualisieren() {
    // New match days (a schedule computed or deleted) choose the first day anew and close the form.
    const QList<tavorin::resultlist::MatchDay> tage =
        tavorin::resultlist::matchDays(AusgewaehlteLigaId(comboLigaErgebnisse));
    if (LesenGescheitert())
        return;
    bool gleich = tage.size() == comboSpieltag->count();
    for (int i = 0; gleich && i < comboSpieltag->count(); ++i)
        gleich = comboSpieltag->itemData(i).toString() == tage[i].number;
    if (!gleich) {
        SpieltageAnzeigen(tage);
        return;
    }
    // Otherwise the match loaded into the form stays selected and is loaded again.
    const int bisher = tabelleErgebnisse->currentRow();
    const QString spiel =
        ergebnisFormular->isEnabled() && bisher >= 0 ? tabelleErgebnisse->item(bisher, 0)->text() : QString();
    tabelleErgSTFuellen();
    if (LesenGescheitert() || spiel.isEmpty())
        return;
    for (const QTableWidgetItem* item : tabelleErgebnisse->findItems(spiel, Qt::MatchExactly)) {
        if (item->column() == 0) {
            tabelleErgebnisse->setCurrentCell(item->row(), 1);
            tabelleErgSTanklicken();
            return;
        }
    }
    EingabeDeaktivieren(); // the match is no longer listed
}
