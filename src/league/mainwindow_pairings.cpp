#include "app/mainwindow.h"
#include "app/textescape.h"
#include "app/widgets.h"
#include "league/scheduledata.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QLabel* mittig(const QString& text, const QString& style = QString()) {
    auto* l = new QLabel(text);
    l->setAlignment(Qt::AlignCenter);
    if (!style.isEmpty())
        l->setStyleSheet(style);
    return l;
}

// A name in a frame, as wide as half of its group.
QLabel* namensfeld(const char* objectName) {
    QLabel* l = mittig(QString(), QStringLiteral("border:1px solid gray;"));
    l->setObjectName(QLatin1StringView(objectName));
    widgets::designSize(l, 185, 25);
    return l;
}

// A button centred in its row, 200 wide unless its caption needs more.
QPushButton* mittigerKnopf(QGridLayout* raster, int row, const QString& text, const char* objectName) {
    QPushButton* knopf = widgets::button(text, objectName);
    widgets::designSize(knopf, 200, 25);
    raster->addWidget(knopf, row, 0, 1, 2, Qt::AlignHCenter);
    return knopf;
}

} // namespace

void MainWindow::PaarungenGruppenAufbauen(QVBoxLayout* spalte) {
    QGroupBox* tauschen =
        GruppeAnlegen(QStringLiteral("  Spieler tauschen  "), 160, QStringLiteral("spielerTauschenGroupBox"));
    auto* tauschRaster = new QGridLayout(tauschen);
    tauschRaster->addWidget(mittig(bezeichnungen.heim), 0, 0);
    tauschRaster->addWidget(mittig(bezeichnungen.gast), 0, 1);
    labelTauschHeim = namensfeld("tauschHeimLabel");
    labelTauschGast = namensfeld("tauschGastLabel");
    tauschRaster->addWidget(labelTauschHeim, 1, 0);
    tauschRaster->addWidget(labelTauschGast, 1, 1);
    tauschRaster->setRowMinimumHeight(2, 10);
    QPushButton* tauschKnopf =
        mittigerKnopf(tauschRaster, 3, QStringLiteral("Spieler tauschen"), "spielerTauschenButton");

    QGroupBox* ersetzen =
        GruppeAnlegen(QStringLiteral("  Spieler manuell :ae:ndern  "), 200, QStringLiteral("spielerErsetzenGroupBox"));
    auto* ersetzenRaster = new QGridLayout(ersetzen);
    QLabel* warnung =
        mittig(UmlauteErsetzen(QStringLiteral("ACHTUNG! Beim manuellen :Ae:ndern der Spielerpaarungen ist selbst\nda"
                                              "rauf zu achten, dass die Plausibilit:ae:t erhalten bleibt.")),
               QStringLiteral("color:rgb(187,0,0);"));
    warnung->setObjectName(QStringLiteral("paarungWarnungLabel"));
    QFont klein = warnung->font();
    klein.setPixelSize(10); // both lines of the warning fit the group's width
    warnung->setFont(klein);
    ersetzenRaster->addWidget(warnung, 0, 0, 1, 2);
    labelErsetzenHeim = namensfeld("ersetzenHeimLabel");
    labelErsetzenGast = namensfeld("ersetzenGastLabel");
    ersetzenRaster->addWidget(labelErsetzenHeim, 1, 0);
    ersetzenRaster->addWidget(labelErsetzenGast, 1, 1);
    ersetzenRaster->addWidget(mittig(QStringLiteral("ersetzen durch:")), 2, 0, 1, 2);
    comboErsatzHeim = new QComboBox;
    comboErsatzHeim->setObjectName(QStringLiteral("ersatzHeimComboBox"));
    comboErsatzGast = new QComboBox;
    comboErsatzGast->setObjectName(QStringLiteral("ersatzGastComboBox"));
    ersetzenRaster->addWidget(comboErsatzHeim, 3, 0);
    ersetzenRaster->addWidget(comboErsatzGast, 3, 1);
    QPushButton* ersetzenKnopf =
        mittigerKnopf(ersetzenRaster, 4, QStringLiteral("Spieler Ersetzen"), "spielerErsetzenButton");

    for (QLabel* name : {labelTauschHeim, labelTauschGast, labelErsetzenHeim, labelErsetzenGast})
        name->setFont(schriftFett);
    spalte->addWidget(tauschen);
    spalte->addWidget(ersetzen);
    spalte->addStretch();

    connect(tabelleSpielplan, &QTableWidget::cellClicked, this, &MainWindow::tabelleSTanklicken);
    connect(tauschKnopf, &QPushButton::clicked, this, &MainWindow::butTauschendruecken);
    connect(ersetzenKnopf, &QPushButton::clicked, this, &MainWindow::butErsetzenDruecken);
}

void MainWindow::tabelleSTFuellen() {
    const QList<tavorin::scheduledata::MatchRow> spiele =
        tavorin::scheduledata::matches(AusgewaehlteLigaId(comboLigaSpieltage));
    if (LesenGescheitert())
        return;
    QList<QStringList> zeilen;
    for (const tavorin::scheduledata::MatchRow& m : spiele)
        zeilen.append({m.id, m.spieltag, m.heimName, m.gastName, m.heim, m.gast});
    TabelleFuellen(tabelleSpielplan, kopfSpiele, zeilen, [](int, int column, QTableWidgetItem* zelle) {
        if (column >= 1 && column <= 3)
            zelle->setTextAlignment(Qt::AlignCenter);
    });
    const bool leer = tabelleSpielplan->rowCount() == 0;
    gruppeSpielplanErstellen->setEnabled(leer);
    gruppeSpielplanLoeschen->setEnabled(!leer);
}

void MainWindow::tabelleSTanklicken() {
    const int row = tabelleSpielplan->currentRow();
    if (row < 0)
        return;
    const QString heim = tabelleSpielplan->item(row, 2)->text();
    const QString gast = tabelleSpielplan->item(row, 3)->text();
    labelTauschHeim->setText(heim);
    labelErsetzenHeim->setText(heim);
    labelTauschGast->setText(gast);
    labelErsetzenGast->setText(gast);
    ErsatzlisteFuellen();
}

void MainWindow::ErsatzlisteFuellen() {
    const QList<tavorin::scheduledata::MemberChoice> mitglieder =
        tavorin::scheduledata::replacementChoices(AusgewaehlteLigaId(comboLigaSpieltage));
    if (LesenGescheitert())
        return;
    comboErsatzHeim->clear();
    comboErsatzGast->clear();
    for (const tavorin::scheduledata::MemberChoice& m : mitglieder) {
        comboErsatzHeim->addItem(tavorin::safeName(m.dartnName), m.id);
        comboErsatzGast->addItem(tavorin::safeName(m.dartnName), m.id);
    }
}

void MainWindow::butTauschendruecken() {
    const int row = tabelleSpielplan->currentRow();
    if (row < 0) {
        MeldungAnzeigen(3, QStringLiteral("  Es wurde kein Spiel ausgew:ae:hlt  "));
        return;
    }
    if (PaarungSetzen(tabelleSpielplan->item(row, 5)->text(), tabelleSpielplan->item(row, 4)->text()))
        StatusMelden(QStringLiteral("Heim und Gast getauscht"));
}

void MainWindow::butErsetzenDruecken() {
    if (tabelleSpielplan->currentRow() < 0) {
        MeldungAnzeigen(3, QStringLiteral("  Es wurde kein Spiel ausgew:ae:hlt  "));
        return;
    }
    if (comboErsatzHeim->currentIndex() < 0 || comboErsatzGast->currentIndex() < 0) {
        MeldungAnzeigen(3, QStringLiteral("  Es wurde kein Spieler ausgew:ae:hlt.  "));
        return;
    }
    if (SicherungAnlegen(QStringLiteral("Spieler ersetzen")) &&
        PaarungSetzen(comboErsatzHeim->currentData().toString(), comboErsatzGast->currentData().toString()))
        StatusMelden(QStringLiteral("Spieler ersetzt"));
}

bool MainWindow::PaarungSetzen(const QString& heim, const QString& gast) {
    const QString spiel = tabelleSpielplan->item(tabelleSpielplan->currentRow(), 0)->text();
    const bool gespeichert = DatenSchreiben({tavorin::scheduledata::setPlayers(spiel, heim, gast)});
    for (QLabel* name : {labelTauschHeim, labelTauschGast, labelErsetzenHeim, labelErsetzenGast})
        name->clear();
    return gespeichert;
}

void MainWindow::ErgebnisseLoeschen() {
    if (!FrageAnzeigen(QStringLiteral("  Sollen wirklich die Ergebnisse aller Ligen gel:oe:scht werden?  ")) ||
        !SicherungAnlegen(QStringLiteral("Alle Ergebnisse l:oe:schen")))
        return;
    if (DatenSchreiben({tavorin::scheduledata::deleteAllResults()}))
        StatusMelden(QStringLiteral("Alle Ergebnisse gel:oe:scht"));
}
