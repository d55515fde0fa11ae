#include "app/mainwindow.h"
#include "league/adminwidgets.h"
#include "league/registry.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

using namespace adminwidgets;

void MainWindow::SeiteLigenAufbauen() {
    auto* zeile = new QHBoxLayout(seiteLigen);
    tabelleLigen = TabelleAnlegen(kopfLigen, QStringLiteral("ligenTableWidget"));
    tabelleLigen->hideColumn(0);
    tabelleLigen->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    tabelleLigen->horizontalHeader()->setSortIndicator(1, Qt::AscendingOrder);
    tabelleLigen->setSortingEnabled(true);
    zeile->addWidget(tabelleLigen);
    zeile->addSpacing(20);

    auto* gruppeLigenverwaltung = new QGroupBox(QStringLiteral("Ligenverwaltung"));
    gruppeLigenverwaltung->setObjectName(QStringLiteral("ligenverwaltungGroupBox"));
    widgets::designSize(gruppeLigenverwaltung, 600);
    gruppeLigenverwaltung->setFont(schriftFett);
    zeile->addWidget(gruppeLigenverwaltung);

    const QString bezeichnung = QStringLiteral("Liga-Bezeichnung:");

    QGroupBox* neu = subGroup(UmlauteErsetzen(QStringLiteral("  Liga hinzuf:ue:gen  ")), 1, schriftNormal,
                              QStringLiteral("ligaHinzufuegenGroupBox"));
    caption(neu, 0, bezeichnung);
    feldLigaNeu = field(neu, 0, QStringLiteral("ligaNeuLineEdit"));
    QPushButton* hinzufuegen = button(neu, 1, UmlauteErsetzen(QStringLiteral("Liga hinzuf:ue:gen")), widgets::lightGray,
                                      QStringLiteral("ligaHinzufuegenButton"));

    QGroupBox* bearbeiten =
        subGroup(QStringLiteral("  Liga bearbeiten  "), 1, schriftNormal, QStringLiteral("ligaBearbeitenGroupBox"));
    caption(bearbeiten, 0, bezeichnung);
    feldLigaBearbeiten = field(bearbeiten, 0, QStringLiteral("ligaBearbeitenLineEdit"));
    QPushButton* umbenennen = button(bearbeiten, 1, QStringLiteral("Liga bearbeiten"), widgets::lightGray,
                                     QStringLiteral("ligaBearbeitenButton"));

    QGroupBox* loeschen = subGroup(UmlauteErsetzen(QStringLiteral("  Liga l:oe:schen  ")), 1, schriftNormal,
                                   QStringLiteral("ligaLoeschenGroupBox"));
    caption(loeschen, 0, bezeichnung);
    labelLigaLoeschen = value(loeschen, 0, schriftFett, QStringLiteral("ligaLoeschenLabel"));
    QPushButton* entfernen = button(loeschen, 1, UmlauteErsetzen(QStringLiteral("Liga l:oe:schen")), redButton,
                                    QStringLiteral("ligaLoeschenButton"));

    QPushButton* leeren = clearButton(QStringLiteral("ligaFelderLeerenButton"));

    auto* raster = new QGridLayout(gruppeLigenverwaltung);
    raster->addWidget(neu, 0, 0);
    raster->addWidget(bearbeiten, 1, 0);
    raster->addWidget(loeschen, 2, 0);
    raster->addWidget(leeren, 0, 1, Qt::AlignTop);
    raster->setRowStretch(3, 1);

    connect(tabelleLigen, &QTableWidget::cellClicked, this, &MainWindow::LigaAuswaehlen);
    connect(hinzufuegen, &QPushButton::clicked, this, &MainWindow::LigaEintragen);
    connect(umbenennen, &QPushButton::clicked, this, &MainWindow::LigaBearbeiten);
    connect(leeren, &QPushButton::clicked, this, &MainWindow::FelderLigaLeeren);
    connect(entfernen, &QPushButton::clicked, this, &MainWindow::LigaLoeschen);
    connect(feldLigaNeu, &QLineEdit::returnPressed, this, &MainWindow::LigaEintragen);
    connect(feldLigaBearbeiten, &QLineEdit::returnPressed, this, &MainWindow::LigaBearbeiten);
}

void MainWindow::tabelleLigenFuellen() {
    const QList<tavorin::registry::LeagueRow> ligen = tavorin::registry::allLeagues();
    if (LesenGescheitert())
        return;
    QList<QStringList> zeilen;
    for (const tavorin::registry::LeagueRow& l : ligen)
        zeilen.append({l.id, l.name});
    TabelleFuellen(tabelleLigen, kopfLigen, zeilen);
}

void MainWindow::ComboLigaFuellen() {
    const QList<tavorin::registry::LeagueRow> ligen = tavorin::registry::allLeagues();
    if (LesenGescheitert())
        return;
    // Every selector shows the first league in name order afterwards.
    QList<QPair<QString, QVariant>> eintraege;
    for (const tavorin::registry::LeagueRow& l : ligen)
        eintraege.append({l.name, l.id});
    for (QComboBox* auswahl :
         {comboLigaSpieltage, comboLigaZuordnung, comboLigaErgebnisse, comboLigaTabelle, comboLigaStatistik})
        AuswahlFuellen(auswahl, eintraege);
}

void MainWindow::LigaAuswaehlen() {
    const int row = tabelleLigen->currentRow();
    if (row < 0)
        return;
    const QTableWidgetItem* name = tabelleLigen->item(row, 1);
    const QTableWidgetItem* id = tabelleLigen->item(row, 0);
    feldLigaBearbeiten->setText(name ? name->text() : QString());
    labelLigaLoeschen->setText(name ? name->text() : QString());
    ausgewaehlteLiga = id ? id->text() : QString();
}

void MainWindow::LigaEintragen() {
    if (feldLigaNeu->text().trimmed().isEmpty()) {
        MeldungAnzeigen(3, QStringLiteral("  Es muss eine Bezeichnung f:ue:r die Liga angegeben werden.  "));
        return;
    }
    if (DatenSchreiben({tavorin::registry::insertLeague(feldLigaNeu->text())})) {
        StatusMelden(QStringLiteral("Liga %1 hinzugef:ue:gt"), feldLigaNeu->text());
        feldLigaNeu->clear();
        FelderLigaAuswahlLeeren();
        feldLigaNeu->setFocus(); // ready for the next league
    }
}

void MainWindow::LigaBearbeiten() {
    if (feldLigaBearbeiten->text().trimmed().isEmpty()) {
        MeldungAnzeigen(3, QStringLiteral("  Es wurde keine Liga ausgew:ae:hlt.  "));
        return;
    }
    if (DatenSchreiben({tavorin::registry::renameLeague(ausgewaehlteLiga, feldLigaBearbeiten->text())})) {
        StatusMelden(QStringLiteral("Liga %1 umbenannt"), feldLigaBearbeiten->text());
        feldLigaNeu->clear();
        FelderLigaAuswahlLeeren();
    }
}

void MainWindow::LigaLoeschen() {
    if (labelLigaLoeschen->text().isEmpty()) {
        MeldungAnzeigen(3, QStringLiteral("  Es wurde keine Liga ausgew:ae:hlt.  "));
        return;
    }
    // Members would drop out of the pool for good: they are taken out first.
    const qsizetype mitglieder = tavorin::registry::leagueMembers(ausgewaehlteLiga).size();
    if (LesenGescheitert())
        return;
    if (mitglieder > 0) {
        MeldungAnzeigen(3, QStringLiteral("Die Liga hat noch ") + QString::number(mitglieder) +
                               QStringLiteral(" Mitglieder. Bitte zuerst alle Mitglieder austragen."));
        return;
    }
    if (!SicherungAnlegen(QStringLiteral("Liga l:oe:schen")) ||
        !DatenSchreiben({tavorin::registry::deleteLeague(ausgewaehlteLiga)}))
        return;
    StatusMelden(QStringLiteral("Liga %1 gel:oe:scht"), labelLigaLoeschen->text());
    FelderLigaAuswahlLeeren();
}

void MainWindow::FelderLigaLeeren() {
    feldLigaNeu->clear();
    FelderLigaAuswahlLeeren();
}

void MainWindow::FelderLigaAuswahlLeeren() {
    feldLigaBearbeiten->clear();
    labelLigaLoeschen->clear();
    ausgewaehlteLiga.clear();
}
