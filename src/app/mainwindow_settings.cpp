#include "app/mainwindow.h"
#include "app/widgets.h"

#include <QDate>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

void MainWindow::EinstellungenLaden() {
    einstellungsOrdner = tavorin::settingsDirectory();
    heute = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    const tavorin::ProgramSettings gelesen = tavorin::loadStartupSettings(einstellungsOrdner);
    dbPfad = gelesen.dbpfad;
    bezeichnungen = gelesen.captions;
    punkte = gelesen.points;
    exportEinstellungen = gelesen.exports;
    plattformen = gelesen.platforms;
}

namespace {

QLabel* beschriftung(QWidget* gruppe, const QString& text, int y) {
    auto* label = new QLabel(text, gruppe);
    label->setGeometry(10, y, 160, 25);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLineEdit* feld(QWidget* gruppe, const QString& text, int y, const char* name) {
    auto* edit = new QLineEdit(text, gruppe);
    edit->setGeometry(180, y, 160, 25);
    edit->setObjectName(QLatin1StringView(name));
    return edit;
}

} // namespace

void MainWindow::FensterEinstellungen() {
    auto* dialog = new QDialog(this);
    dialog->setObjectName(QStringLiteral("einstellungenDialog"));
    dialog->setFixedSize(520, 460);
    dialog->setWindowTitle(QStringLiteral("Brenvik - Tavorin - Einstellungen"));
    EinstellungsFelder& f = einstellungsFelder;
    f.dialog = dialog;

    auto* namen = new QGroupBox(QStringLiteral("  Bezeichnungen  "), dialog);
    namen->setGeometry(30, 20, 450, 150);
    beschriftung(namen, QStringLiteral("Erster Name:"), 20);
    beschriftung(namen, QStringLiteral("Zweiter Name:"), 50);
    beschriftung(namen, QStringLiteral("Erster Spieler:"), 80);
    beschriftung(namen, QStringLiteral("Zweiter Spieler:"), 110);
    f.name1 = feld(namen, bezeichnungen.name1, 15, "name1LineEdit");
    f.name2 = feld(namen, bezeichnungen.name2, 45, "name2LineEdit");
    f.heim = feld(namen, bezeichnungen.heim, 75, "heimLineEdit");
    f.gast = feld(namen, bezeichnungen.gast, 105, "gastLineEdit");

    auto* punktevergabe = new QGroupBox(QStringLiteral("  Punktevergabe  "), dialog);
    punktevergabe->setGeometry(30, 190, 450, 120);
    beschriftung(punktevergabe, QStringLiteral("Sieg:"), 20);
    beschriftung(punktevergabe, QStringLiteral("Remis:"), 50);
    beschriftung(punktevergabe, QStringLiteral("Niederlage:"), 80);
    f.gewonnen = feld(punktevergabe, QString::number(punkte.gewonnen), 15, "siegLineEdit");
    f.remis = feld(punktevergabe, QString::number(punkte.remis), 45, "remisLineEdit");
    f.verloren = feld(punktevergabe, QString::number(punkte.verloren), 75, "niederlageLineEdit");

    auto* anzeige = new QGroupBox(QStringLiteral("  Anzeige auf Ergebnisseite  "), dialog);
    anzeige->setGeometry(30, 330, 450, 60);
    f.zweiterName = new QRadioButton(bezeichnungen.name2, anzeige);
    f.zweiterName->setObjectName(QStringLiteral("zweiterNameRadioButton"));
    f.zweiterName->move(50, 25);
    auto* ersterName = new QRadioButton(bezeichnungen.name1, anzeige);
    ersterName->setObjectName(QStringLiteral("ersterNameRadioButton"));
    ersterName->move(250, 25);
    (bezeichnungen.anzeige ? f.zweiterName : ersterName)->setChecked(true);

    QPushButton* abbrechen =
        widgets::placedButton(dialog, QStringLiteral("Abbrechen"), QRect(75, 400, 180, 25), "abbrechenButton");
    QPushButton* eintragen =
        widgets::placedButton(dialog, QStringLiteral("Eintragen"), QRect(255, 400, 180, 25), "eintragenButton");
    connect(abbrechen, &QPushButton::clicked, dialog, &QDialog::reject);
    connect(eintragen, &QPushButton::clicked, this, &MainWindow::EinstellungenAendern);

    auto* hinweis =
        new QLabel(UmlauteErsetzen(QStringLiteral(":Ae:nderungen werden erst nach Neustart wirksam!")), dialog);
    hinweis->setGeometry(10, 435, 490, 25);
    hinweis->setAlignment(Qt::AlignCenter);

    dialog->exec();
    delete dialog;
}

void MainWindow::EinstellungenAendern() {
    EinstellungsFelder& f = einstellungsFelder;
    if (!f.dialog)
        return;
    bezeichnungen.anzeige = f.zweiterName->isChecked();
    tavorin::DialogValues werte;
    werte.name1 = f.name1->text();
    werte.name2 = f.name2->text();
    werte.heim = f.heim->text();
    werte.gast = f.gast->text();
    werte.anzeige = f.zweiterName->isChecked();
    werte.gewonnen = f.gewonnen->text();
    werte.remis = f.remis->text();
    werte.verloren = f.verloren->text();
    tavorin::storeDialogValues(tavorin::configFilePath(einstellungsOrdner), werte);
    tabelleErgSTFuellen();
    f.dialog->accept();
}
