#include "app/mainwindow.h"
#include "league/adminwidgets.h"
#include "league/registry.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace adminwidgets;

namespace {

// Why a player with these matches, results and leagues cannot be deleted (with umlaut escapes); empty
// when he can.
QString SpielerLoeschenVerweigert(const tavorin::registry::PlayerUse& spiele, const QStringList& ligen) {
    const QString ergebnisseEntfernen =
        QStringLiteral(" Gespeicherte Ergebnisse entfernt nur \"Alle Ergebnisse l:oe:schen\" auf dem Reiter "
                       "\"Spieltage\" (f:ue:r alle Ligen, etwa zum Saisonende); bis dahin bleibt der Spieler.  ");
    if (!spiele.scheduledIn.isEmpty())
        return QStringLiteral("  Der Spieler hat in der Liga ") + spiele.scheduledIn.constFirst() +
               QStringLiteral(" Spiele im Spielplan. Ersetzen Sie ihn dort durch einen anderen Spieler oder "
                              "l:oe:schen Sie erst den Spielplan der Liga.  ");
    if (!spiele.resultsIn.isEmpty())
        return QStringLiteral("  Der Spieler hat in der Liga ") + spiele.resultsIn.constFirst() +
               QStringLiteral(" gespeicherte Ergebnisse.") + ergebnisseEntfernen;
    if (spiele.resultsWithoutMatch > 0)
        return QStringLiteral("  Der Spieler hat gespeicherte Ergebnisse aus einem gel:oe:schten Spielplan.") +
               ergebnisseEntfernen;
    if (!ligen.isEmpty())
        return QStringLiteral("Der Spieler ist Mitglied der Liga ") + ligen.constFirst() +
               QStringLiteral(". Bitte zuerst aus der Liga austragen.");
    return QString();
}

} // namespace

void MainWindow::SeiteSpielerAufbauen() {
    auto* zeile = new QHBoxLayout(seiteSpieler);
    tabelleSpieler = TabelleAnlegen(kopfSpieler, QStringLiteral("spielerTableWidget"));
    tabelleSpieler->hideColumn(0);
    tabelleSpieler->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    tabelleSpieler->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    // Listed by the second name at first, as they are read; a click on a header sorts by that column.
    tabelleSpieler->horizontalHeader()->setSortIndicator(2, Qt::AscendingOrder);
    tabelleSpieler->setSortingEnabled(true);
    auto* liste = new QVBoxLayout;
    filterSpieler = FilterAnlegen(tabelleSpieler, QStringLiteral("spielerFilterLineEdit"));
    liste->addWidget(filterSpieler);
    liste->addWidget(tabelleSpieler);
    zeile->addLayout(liste);
    zeile->addSpacing(20);

    auto* gruppeSpielerverwaltung = new QGroupBox(QStringLiteral("Spielerverwaltung"));
    gruppeSpielerverwaltung->setObjectName(QStringLiteral("spielerverwaltungGroupBox"));
    widgets::designSize(gruppeSpielerverwaltung, 600);
    gruppeSpielerverwaltung->setFont(schriftFett);
    zeile->addWidget(gruppeSpielerverwaltung);

    const QString name1 = bezeichnungen.name1 + QLatin1Char(':');
    const QString name2 = bezeichnungen.name2 + QLatin1Char(':');

    QGroupBox* neu = subGroup(UmlauteErsetzen(QStringLiteral("  Spieler hinzuf:ue:gen  ")), 2, schriftNormal,
                              QStringLiteral("spielerHinzufuegenGroupBox"));
    caption(neu, 0, name1);
    caption(neu, 1, name2);
    feldSpielerNeu1 = field(neu, 0, QStringLiteral("spielerNeuName1LineEdit"));
    feldSpielerNeu2 = field(neu, 1, QStringLiteral("spielerNeuName2LineEdit"));
    QPushButton* hinzufuegen = button(neu, 2, UmlauteErsetzen(QStringLiteral("Spieler hinzuf:ue:gen")),
                                      widgets::lightGray, QStringLiteral("spielerHinzufuegenButton"));

    QGroupBox* bearbeiten = subGroup(QStringLiteral("  Spieler bearbeiten  "), 2, schriftNormal,
                                     QStringLiteral("spielerBearbeitenGroupBox"));
    caption(bearbeiten, 0, name1);
    caption(bearbeiten, 1, name2);
    feldSpielerBearbeiten1 = field(bearbeiten, 0, QStringLiteral("spielerBearbeitenName1LineEdit"));
    feldSpielerBearbeiten2 = field(bearbeiten, 1, QStringLiteral("spielerBearbeitenName2LineEdit"));
    QPushButton* aendern = button(bearbeiten, 2, QStringLiteral("Spieler bearbeiten"), widgets::lightGray,
                                  QStringLiteral("spielerBearbeitenButton"));

    QGroupBox* loeschen = subGroup(UmlauteErsetzen(QStringLiteral("  Spieler l:oe:schen  ")), 2, schriftNormal,
                                   QStringLiteral("spielerLoeschenGroupBox"));
    caption(loeschen, 0, name1);
    caption(loeschen, 1, name2);
    labelSpielerLoeschen1 = value(loeschen, 0, schriftFett, QStringLiteral("spielerLoeschenName1Label"));
    labelSpielerLoeschen2 = value(loeschen, 1, schriftFett, QStringLiteral("spielerLoeschenName2Label"));
    QPushButton* entfernen = button(loeschen, 2, UmlauteErsetzen(QStringLiteral("Spieler l:oe:schen")), redButton,
                                    QStringLiteral("spielerLoeschenButton"));

    QPushButton* leeren = clearButton(QStringLiteral("spielerFelderLeerenButton"));

    auto* raster = new QGridLayout(gruppeSpielerverwaltung);
    raster->addWidget(neu, 0, 0);
    raster->addWidget(bearbeiten, 1, 0);
    raster->addWidget(loeschen, 2, 0);
    raster->addWidget(leeren, 0, 1, Qt::AlignTop);
    raster->setRowStretch(3, 1);

    connect(tabelleSpieler, &QTableWidget::cellClicked, this, &MainWindow::SpielerAuswaehlen);
    connect(hinzufuegen, &QPushButton::clicked, this, &MainWindow::SpielerEintragen);
    connect(aendern, &QPushButton::clicked, this, &MainWindow::SpielerBearbeiten);
    connect(leeren, &QPushButton::clicked, this, &MainWindow::FelderSpielerLeeren);
    connect(entfernen, &QPushButton::clicked, this, &MainWindow::SpielerLoeschen);
    // Enter in a field does what the button of its group does.
    for (QLineEdit* feld : {feldSpielerNeu1, feldSpielerNeu2})
        connect(feld, &QLineEdit::returnPressed, this, &MainWindow::SpielerEintragen);
    for (QLineEdit* feld : {feldSpielerBearbeiten1, feldSpielerBearbeiten2})
        connect(feld, &QLineEdit::returnPressed, this, &MainWindow::SpielerBearbeiten);
}

bool MainWindow::SpielerlistenSichtbar() {
    if (tabWidget->indexOf(Reiter(seiteSpieler)) >= 0)
        return true;
    spielerlistenVeraltet = true;
    return false;
}

void MainWindow::SpielerlisteFuellen(QTableWidget* tabelle, const QLineEdit* filter,
                                     QList<tavorin::registry::PlayerRow> (*lesen)()) {
    if (!SpielerlistenSichtbar())
        return;
    const QList<tavorin::registry::PlayerRow> spieler = lesen();
    if (LesenGescheitert())
        return;
    TabelleFuellen(tabelle, kopfSpieler, tavorin::registry::tableRows(spieler));
    FilterAnwenden(tabelle, filter->text());
}

void MainWindow::tabelleSpielerFuellen() {
    SpielerlisteFuellen(tabelleSpieler, filterSpieler, tavorin::registry::allPlayers);
}

void MainWindow::SpielerAuswaehlen() {
    const int row = tabelleSpieler->currentRow();
    if (row < 0)
        return;
    const auto text = [&](int column) {
        const QTableWidgetItem* item = tabelleSpieler->item(row, column);
        return item ? item->text() : QString();
    };
    feldSpielerBearbeiten1->setText(text(1));
    labelSpielerLoeschen1->setText(text(1));
    feldSpielerBearbeiten2->setText(text(2));
    labelSpielerLoeschen2->setText(text(2));
    ausgewaehlterSpieler = text(0);
}

void MainWindow::SpielerEintragen() {
    const QString name1 = feldSpielerNeu1->text(), name2 = feldSpielerNeu2->text();
    if (name1.trimmed().isEmpty() || name2.trimmed().isEmpty()) {
        MeldungAnzeigen(3, QStringLiteral("  Es m:ue:ssen beide Textfelder ausgef:ue:llt werden.  "));
        return;
    }
    const bool vergeben = tavorin::registry::nameTaken(name1, name2);
    if (LesenGescheitert() ||
        (vergeben && !FrageAnzeigen(QStringLiteral("Einen Spieler mit diesem Namen gibt es schon. Trotzdem anlegen?"))))
        return;
    if (!DatenSchreiben({tavorin::registry::insertPlayer(name1, name2)}))
        return;
    StatusMelden(QStringLiteral("Spieler %1 hinzugef:ue:gt"), name1);
    feldSpielerNeu1->clear();
    feldSpielerNeu2->clear();
    FelderSpielerAuswahlLeeren();
    feldSpielerNeu1->setFocus(); // ready for the next player
}

void MainWindow::SpielerBearbeiten() {
    if (feldSpielerBearbeiten1->text().trimmed().isEmpty() || feldSpielerBearbeiten2->text().trimmed().isEmpty()) {
        MeldungAnzeigen(3, QStringLiteral("  Es wurde kein Spieler ausgew:ae:hlt.  "));
        return;
    }
    if (!DatenSchreiben({tavorin::registry::updatePlayer(ausgewaehlterSpieler, feldSpielerBearbeiten1->text(),
                                                         feldSpielerBearbeiten2->text())}))
        return;
    StatusMelden(QStringLiteral("Spieler %1 ge:ae:ndert"), feldSpielerBearbeiten1->text());
    FelderSpielerAuswahlLeeren();
}

void MainWindow::SpielerLoeschen() {
    if (labelSpielerLoeschen1->text().isEmpty() || labelSpielerLoeschen2->text().isEmpty()) {
        MeldungAnzeigen(3, QStringLiteral("  Es wurde kein Spieler ausgew:ae:hlt.  "));
        return;
    }
    // A player stays while a schedule, a result or a league still counts him: without his row his matches
    // would show an empty name and still count for his opponents.
    const tavorin::registry::PlayerUse spiele = tavorin::registry::playerUse(ausgewaehlterSpieler);
    const QStringList ligen = tavorin::registry::leaguesOfPlayer(ausgewaehlterSpieler);
    if (LesenGescheitert())
        return;
    const QString verweigert = SpielerLoeschenVerweigert(spiele, ligen);
    if (!verweigert.isEmpty()) {
        MeldungAnzeigen(3, verweigert);
        return;
    }
    if (!SicherungAnlegen(QStringLiteral("Spieler l:oe:schen")) ||
        !DatenSchreiben({tavorin::registry::deletePlayer(ausgewaehlterSpieler)}))
        return;
    StatusMelden(QStringLiteral("Spieler %1 gel:oe:scht"), labelSpielerLoeschen1->text());
    FelderSpielerAuswahlLeeren();
}

void MainWindow::FelderSpielerLeeren() {
    feldSpielerNeu1->clear();
    feldSpielerNeu2->clear();
    FelderSpielerAuswahlLeeren();
}

void MainWindow::FelderSpielerAuswahlLeeren() {
    feldSpielerBearbeiten1->clear();
    feldSpielerBearbeiten2->clear();
    labelSpielerLoeschen1->clear();
    labelSpielerLoeschen2->clear();
    ausgewaehlterSpieler.clear();
}
