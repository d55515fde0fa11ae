#include "app/mainwindow.h"
#include "app/widgets.h"
#include "league/scheduledata.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QLabel* mittig(QWidget* parent, const QString& text, const QRect& geometry, const QString& style = QString()) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    l->setAlignment(Qt::AlignCenter);
    if (!style.isEmpty())
        l->setStyleSheet(style);
    return l;
}

const QString rahmen = QStringLiteral("border:1px solid gray;");

} // namespace

void MainWindow::PaarungenGruppenAufbauen(QVBoxLayout* spalte) {
    QGroupBox* tauschen =
        GruppeAnlegen(QStringLiteral("  Spieler tauschen  "), 160, QStringLiteral("spielerTauschenGroupBox"));
    mittig(tauschen, bezeichnungen.heim, QRect(10, 25, 185, 25));
    mittig(tauschen, bezeichnungen.gast, QRect(205, 25, 185, 25));
    labelTauschHeim = mittig(tauschen, QString(), QRect(10, 55, 185, 25), rahmen);
    labelTauschHeim->setObjectName(QStringLiteral("tauschHeimLabel"));
    labelTauschGast = mittig(tauschen, QString(), QRect(205, 55, 185, 25), rahmen);
    labelTauschGast->setObjectName(QStringLiteral("tauschGastLabel"));
    QPushButton* tauschKnopf = widgets::placedButton(tauschen, QStringLiteral("Spieler tauschen"),
                                                     QRect(100, 110, 200, 25), "spielerTauschenButton");

    QGroupBox* ersetzen =
        GruppeAnlegen(QStringLiteral("  Spieler manuell :ae:ndern  "), 200, QStringLiteral("spielerErsetzenGroupBox"));
    QLabel* warnung =
        mittig(ersetzen,
               UmlauteErsetzen(QStringLiteral("ACHTUNG! Beim manuellen :Ae:ndern der Spielerpaarungen ist selbst\nda"
                                              "rauf zu achten, dass die Plausibilit:ae:t erhalten bleibt.")),
               QRect(10, 20, 380, 40), QStringLiteral("color:rgb(187,0,0);"));
    warnung->setObjectName(QStringLiteral("paarungWarnungLabel"));
    QFont klein = warnung->font();
    klein.setPixelSize(10); // both lines of the warning fit the group's width
    warnung->setFont(klein);
    labelErsetzenHeim = mittig(ersetzen, QString(), QRect(10, 65, 185, 25), rahmen);
    labelErsetzenHeim->setObjectName(QStringLiteral("ersetzenHeimLabel"));
    labelErsetzenGast = mittig(ersetzen, QString(), QRect(205, 65, 185, 25), rahmen);
    labelErsetzenGast->setObjectName(QStringLiteral("ersetzenGastLabel"));
    mittig(ersetzen, QStringLiteral("ersetzen durch:"), QRect(10, 95, 380, 20));
    comboErsatzHeim = new QComboBox(ersetzen);
    comboErsatzHeim->setObjectName(QStringLiteral("ersatzHeimComboBox"));
    comboErsatzHeim->setGeometry(10, 120, 185, 25);
    comboErsatzGast = new QComboBox(ersetzen);
    comboErsatzGast->setObjectName(QStringLiteral("ersatzGastComboBox"));
    comboErsatzGast->setGeometry(205, 120, 185, 25);
    QPushButton* ersetzenKnopf = widgets::placedButton(ersetzen, QStringLiteral("Spieler Ersetzen"),
                                                       QRect(100, 160, 200, 25), "spielerErsetzenButton");

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
        comboErsatzHeim->addItem(m.dartnName, m.id);
        comboErsatzGast->addItem(m.dartnName, m.id);
    }
}

void MainWindow::butTauschendruecken() {
    const int row = tabelleSpielplan->currentRow();
    if (row < 0) {
        MeldungAnzeigen(3, QStringLiteral("  Es wurde kein Spiel ausgew:ae:hlt  "));
        return;
    }
    PaarungSetzen(tabelleSpielplan->item(row, 5)->text(), tabelleSpielplan->item(row, 4)->text());
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
    PaarungSetzen(comboErsatzHeim->currentData().toString(), comboErsatzGast->currentData().toString());
}

void MainWindow::PaarungSetzen(const QString& heim, const QString& gast) {
    const QString spiel = tabelleSpielplan->item(tabelleSpielplan->currentRow(), 0)->text();
    DatenSchreiben({tavorin::scheduledata::setPlayers(spiel, heim, gast)});
    for (QLabel* name : {labelTauschHeim, labelTauschGast, labelErsetzenHeim, labelErsetzenGast})
        name->clear();
}

void MainWindow::ErgebnisseLoeschen() {
    if (!FrageAnzeigen(QStringLiteral("  Sollen wirklich die Ergebnisse aller Ligen gel:oe:scht werden?  ")))
        return;
    DatenSchreiben({tavorin::scheduledata::deleteAllResults()});
}
