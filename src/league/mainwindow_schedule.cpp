#include "app/mainwindow.h"
#include "app/widgets.h"
#include "league/schedule.h"
#include "league/scheduledata.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

void MainWindow::SeiteSpieltageAufbauen() {
    auto* zeile = new QHBoxLayout(seiteSpieltage);
    QVBoxLayout* spieltageSpalteLayout = nullptr;
    zeile->addWidget(SpalteAnlegen(300, QStringLiteral("spieltageSpalteWidget"), &spieltageSpalteLayout));

    QGroupBox* ligaGruppe =
        GruppeAnlegen(QStringLiteral("  Liga ausw:ae:hlen  "), 80, QStringLiteral("spieltageLigaGroupBox"));
    comboLigaSpieltage = LigaAuswahlAnlegen(QStringLiteral("spieltageLigaComboBox"));
    (new QVBoxLayout(ligaGruppe))->addWidget(comboLigaSpieltage);
    spieltageSpalteLayout->addWidget(ligaGruppe);
    spieltageSpalteLayout->addWidget(KenndatenGruppeAufbauen());
    SpielplanBefehleAufbauen(spieltageSpalteLayout);
    QGroupBox* doppelte = GruppeAnlegen(QStringLiteral("  Doppelte Eintr:ae:ge suchen  "), 182,
                                        QStringLiteral("doppelteEintraegeGroupBox"));
    DoppelteGruppeAufbauen(doppelte);
    spieltageSpalteLayout->addWidget(doppelte);
    spieltageSpalteLayout->addStretch();

    zeile->addSpacing(20);
    tabelleSpielplan = TabelleAnlegen(kopfSpiele, QStringLiteral("spielplanTableWidget"));
    tabelleSpielplan->verticalHeader()->hide();
    for (int spalte : {0, 4, 5})
        tabelleSpielplan->hideColumn(spalte);
    tabelleSpielplan->setColumnWidth(1, 50);
    tabelleSpielplan->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    tabelleSpielplan->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    zeile->addWidget(tabelleSpielplan);
    zeile->addSpacing(20);
    QVBoxLayout* spieltageRechtsLayout = nullptr;
    zeile->addWidget(SpalteAnlegen(400, QStringLiteral("spieltageRechtsWidget"), &spieltageRechtsLayout));
    PaarungenGruppenAufbauen(spieltageRechtsLayout);
}

QGroupBox* MainWindow::KenndatenGruppeAufbauen() {
    QGroupBox* kenndaten = GruppeAnlegen(QStringLiteral("  Kenndaten  "), 80, QStringLiteral("kenndatenGroupBox"));
    auto* kenndatenLayout = new QGridLayout(kenndaten);
    kenndatenLayout->setVerticalSpacing(2);
    checkRueckrunde = new QCheckBox(UmlauteErsetzen(QStringLiteral("mit R:ue:ckrunde")));
    checkRueckrunde->setObjectName(QStringLiteral("rueckrundeCheckBox"));
    kenndatenLayout->addWidget(checkRueckrunde, 0, 0, 1, 2);
    kenndatenLayout->addWidget(new QLabel(QStringLiteral("Mitspieler:")), 1, 0);
    kenndatenLayout->addWidget(new QLabel(QStringLiteral("resultierende Spieltage:")), 2, 0);
    labelMitspieler = new QLabel;
    labelMitspieler->setObjectName(QStringLiteral("mitspielerLabel"));
    labelResultierendeSpieltage = new QLabel;
    labelResultierendeSpieltage->setObjectName(QStringLiteral("resultierendeSpieltageLabel"));
    kenndatenLayout->addWidget(labelMitspieler, 1, 1);
    kenndatenLayout->addWidget(labelResultierendeSpieltage, 2, 1);
    kenndatenLayout->setColumnStretch(1, 1);
    for (QLabel* wert : {labelMitspieler, labelResultierendeSpieltage})
        wert->setFont(schriftFett);
    connect(checkRueckrunde, &QCheckBox::clicked, this, &MainWindow::RueckrundeWaehlen);
    return kenndaten;
}

void MainWindow::SpielplanBefehleAufbauen(QVBoxLayout* spalte) {
    gruppeSpielplanErstellen =
        GruppeAnlegen(QStringLiteral("  Spielplan erstellen  "), 80, QStringLiteral("spielplanErstellenGroupBox"));
    // Who plays at home is part of how a schedule is computed; the choice is kept for the next league.
    checkHeimrecht = new QCheckBox(QStringLiteral("Heimrecht ausgleichen"));
    checkHeimrecht->setObjectName(QStringLiteral("heimrechtCheckBox"));
    checkHeimrecht->setToolTip(UmlauteErsetzen(QStringLiteral(
        "Jeder Spieler wechselt so gleichm:ae::sz:ig wie m:oe:glich zwischen Heim- und Ausw:ae:rtsspielen.")));
    checkHeimrecht->setChecked(heimrechtAusgleichen);
    QPushButton* berechnen = widgets::button(QStringLiteral("Spielplan berechnen"), "spielplanBerechnenButton");
    fortschrittSpielplan = new QProgressBar;
    fortschrittSpielplan->setObjectName(QStringLiteral("spielplanProgressBar"));
    fortschrittSpielplan->setTextVisible(false);
    fortschrittSpielplan->setFixedHeight(14);
    fortschrittSpielplan->setValue(0);
    auto* erstellenLayout = new QVBoxLayout(gruppeSpielplanErstellen);
    erstellenLayout->addWidget(checkHeimrecht);
    erstellenLayout->addWidget(berechnen);
    erstellenLayout->addWidget(fortschrittSpielplan);

    gruppeSpielplanLoeschen =
        GruppeAnlegen(QStringLiteral("  Spielplan l:oe:schen  "), 80, QStringLiteral("spielplanLoeschenGroupBox"));
    QPushButton* loeschen =
        widgets::button(UmlauteErsetzen(QStringLiteral("Spielplan l:oe:schen")), "spielplanLoeschenButton",
                        QStringLiteral("background-color:rgb(187,0,0); color:white;"));
    (new QVBoxLayout(gruppeSpielplanLoeschen))->addWidget(loeschen);

    QGroupBox* ergebnisse =
        GruppeAnlegen(QStringLiteral("  Ergebnisse L:oe:schen  "), 80, QStringLiteral("ergebnisseLoeschenGroupBox"));
    QPushButton* alleLoeschen =
        widgets::button(UmlauteErsetzen(QStringLiteral("Alle Ergebnisse l:oe:schen")), "ergebnisseLoeschenButton",
                        QStringLiteral("background-color:lightgray; color:rgb(178,0,0);"));
    (new QVBoxLayout(ergebnisse))->addWidget(alleLoeschen);
    for (QGroupBox* gruppe : {gruppeSpielplanErstellen, gruppeSpielplanLoeschen, ergebnisse})
        spalte->addWidget(gruppe);

    connect(checkHeimrecht, &QCheckBox::clicked, this, &MainWindow::HeimrechtWaehlen);
    connect(berechnen, &QPushButton::clicked, this, &MainWindow::SpieltagBerechnung);
    connect(loeschen, &QPushButton::clicked, this, &MainWindow::SpielplanLoeschen);
    connect(alleLoeschen, &QPushButton::clicked, this, &MainWindow::ErgebnisseLoeschen);
}

void MainWindow::ComboBoxAAuswahl() {
    MitspielerZaehlen();
    tabelleSTFuellen();
}

void MainWindow::MitspielerZaehlen() {
    if (comboLigaSpieltage->currentIndex() < 0) {
        labelMitspieler->clear(); // no league (any more)
        labelResultierendeSpieltage->clear();
        return;
    }
    const int anzahl = tavorin::scheduledata::memberCount(AusgewaehlteLigaId(comboLigaSpieltage));
    if (LesenGescheitert())
        return;
    mitspielerAnzahl = anzahl;
    spieltageErsteRunde = tavorin::firstRoundMatchDays(mitspielerAnzahl);
    labelMitspieler->setText(QString::number(mitspielerAnzahl));
    labelResultierendeSpieltage->setText(QString::number(spieltageErsteRunde));
}

void MainWindow::RueckrundeWaehlen() {
    const int tage = checkRueckrunde->isChecked() ? 2 * spieltageErsteRunde : spieltageErsteRunde;
    labelResultierendeSpieltage->setText(QString::number(tage));
}

void MainWindow::HeimrechtWaehlen(bool ausgleichen) {
    heimrechtAusgleichen = ausgleichen;
    tavorin::storeHomeAwayBalance(tavorin::configFilePath(einstellungsOrdner), ausgleichen);
}

void MainWindow::SpieltagBerechnung() {
    const QString liga = AusgewaehlteLigaId(comboLigaSpieltage);
    const QStringList mitglieder = tavorin::scheduledata::memberIds(liga);
    if (LesenGescheitert())
        return;
    const int tage = tavorin::firstRoundMatchDays(int(mitglieder.size()));
    const QList<tavorin::ScheduleRow> zeilen =
        tavorin::generateSchedule(mitglieder, checkRueckrunde->isChecked(), checkHeimrecht->isChecked());

    // All rows of one computation are stored together or not at all; the bar follows the first round.
    fortschrittSpielplan->setMaximum(tage);
    const bool gespeichert =
        SchreibenMelden(tavorin::db::writeAll(tavorin::scheduledata::insertRows(liga, zeilen), [&](qsizetype i) {
            if (zeilen[i].matchDay <= tage)
                fortschrittSpielplan->setValue(zeilen[i].matchDay);
        }));
    fortschrittSpielplan->setValue(0);
    if (gespeichert && !zeilen.isEmpty())
        StatusMelden(QStringLiteral("Spielplan mit %1 Spieltagen erstellt"),
                     QString::number(zeilen.constLast().matchDay));
}

void MainWindow::SpielplanLoeschen() {
    const QString liga = AusgewaehlteLigaId(comboLigaSpieltage);
    // Results of a deleted schedule can no longer be reached: losing them is confirmed first.
    const int gespielt = tavorin::scheduledata::playedMatchCount(liga);
    if (LesenGescheitert())
        return;
    if (gespielt > 0 &&
        !FrageAnzeigen(QStringLiteral("  F:ue:r die Liga ") + comboLigaSpieltage->currentText() +
                       QStringLiteral(" sind ") + QString::number(gespielt) +
                       QStringLiteral(" Ergebnisse gespeichert. Soll der Spielplan trotzdem gel:oe:scht werden?  ")))
        return;
    if (SicherungAnlegen(QStringLiteral("Spielplan l:oe:schen")) &&
        DatenSchreiben({tavorin::scheduledata::deleteSchedule(liga)}))
        StatusMelden(QStringLiteral("Spielplan der Liga %1 gel:oe:scht"), comboLigaSpieltage->currentText());
}
