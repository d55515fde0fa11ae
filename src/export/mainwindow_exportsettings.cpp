#include "app/mainwindow.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalMapper>

namespace {

// One mapper per option slot and window: every widget connected to it passes `nummer` on.
template <typename Sender, typename Signal, typename Slot>
void ueber(QObject* eltern, MainWindow* fenster, Slot slot, int nummer, const QList<Sender*>& sender, Signal signal) {
    auto* mapper = new QSignalMapper(eltern);
    for (Sender* s : sender) {
        mapper->setMapping(s, nummer);
        QObject::connect(s, signal, mapper, qOverload<>(&QSignalMapper::map));
    }
    QObject::connect(mapper, &QSignalMapper::mappedInt, fenster, slot);
}

// DatumAktualisieren numbers the windows differently: 1 is the statistics window, 2 the table window,
// 3 the schedule window. The mapping is its own inverse.
int datumFenster(int nummer) {
    return nummer == 1 ? 2 : nummer == 2 ? 1 : nummer;
}

} // namespace

void MainWindow::ExportOptionenVerbinden(int fenster) {
    ExportFenster& w = exportFenster[fenster - 1];
    QDialog* d = w.dialog;
    void (MainWindow::*const erstellen[])() = {&MainWindow::ForencodeErstellen, &MainWindow::StatistikcodeErstellen,
                                               &MainWindow::PlancodeErstellen};
    const auto neu = erstellen[fenster - 1];

    // The mappers belong to the window and go with it.
    ueber<QCheckBox>(d, this, &MainWindow::NameWaehlen, fenster, {w.name1, w.name2}, &QCheckBox::toggled);
    ueber<QCheckBox>(d, this, &MainWindow::DatumAktualisieren, datumFenster(fenster), {w.datum}, &QCheckBox::toggled);
    ueber<QComboBox>(d, this, &MainWindow::StaerkeWaehlen, fenster, {w.staerke}, &QComboBox::currentIndexChanged);
    ueber<QRadioButton>(d, this, &MainWindow::TabellenBreite, fenster, {w.prozent, w.pixel}, &QRadioButton::clicked);
    ueber<QLineEdit>(d, this, &MainWindow::TabellenBreite, fenster, {w.breite}, &QLineEdit::textChanged);
    ueber<QPushButton>(d, this, &MainWindow::FarbeWaehlen, 7 - fenster, {w.linienknopf}, &QPushButton::clicked);

    for (QRadioButton* format : {w.html, w.bbcode})
        connect(format, &QRadioButton::clicked, this, neu);
    connect(w.linienfarbe, &QLineEdit::textChanged, this, neu);

    // The slots that store an option rebuild the code themselves.
    if (fenster != 3) {
        ueber<QRadioButton>(d, this, &MainWindow::Exportausrichtung, fenster,
                            {w.ausrichtung[0], w.ausrichtung[1], w.ausrichtung[2]}, &QRadioButton::clicked);
        return;
    }
    for (QCheckBox* box : {w.spieltageFett, w.spieltageUnterstrichen, w.spielstandFett})
        connect(box, &QCheckBox::clicked, this, neu);
    for (int i = 0; i < 3; ++i) {
        connect(w.ergebnisfarbe[i], &QLineEdit::textChanged, this, neu);
        ueber<QPushButton>(d, this, &MainWindow::FarbeWaehlen, i + 1, {w.ergebnisknopf[i]}, &QPushButton::clicked);
    }
}

void MainWindow::ExportSchluesselSpeichern(const QStringList& schluessel) {
    tavorin::storeExportKeys(tavorin::configFilePath(einstellungsOrdner), exportEinstellungen, schluessel);
}

void MainWindow::NameWaehlen(int fenster) {
    const ExportFenster& w = exportFenster[fenster - 1];
    if (!w.dialog)
        return;
    const QString a = QStringLiteral("name%1a").arg(fenster);
    const QString b = QStringLiteral("name%1b").arg(fenster);
    tavorin::setExportFlag(exportEinstellungen, a, w.name1->isChecked());
    tavorin::setExportFlag(exportEinstellungen, b, w.name2->isChecked());
    ExportSchluesselSpeichern({a, b});
    CodeSchreiben(fenster);
}

void MainWindow::DatumAktualisieren(int nummer) {
    const int fenster = datumFenster(nummer);
    const ExportFenster& w = exportFenster[fenster - 1];
    if (!w.dialog)
        return;
    const QString schluessel = fenster == 1   ? QStringLiteral("TabAktDatum")
                               : fenster == 2 ? QStringLiteral("StatAktDatum")
                                              : QStringLiteral("StagAktDatum");
    tavorin::setExportFlag(exportEinstellungen, schluessel, w.datum->isChecked());
    ExportSchluesselSpeichern({schluessel});
    CodeSchreiben(fenster);
}

void MainWindow::StaerkeWaehlen(int fenster) {
    const ExportFenster& w = exportFenster[fenster - 1];
    if (!w.dialog)
        return;
    const QString schluessel = QStringLiteral("linieB%1").arg(fenster);
    tavorin::setExportText(exportEinstellungen, schluessel, w.staerke->currentText());
    ExportSchluesselSpeichern({schluessel});
    CodeSchreiben(fenster);
}

void MainWindow::TabellenBreite(int fenster) {
    const ExportFenster& w = exportFenster[fenster - 1];
    if (!w.dialog)
        return;
    const QString stamm = QStringLiteral("TabBreite%1").arg(fenster);
    tavorin::setExportFlag(exportEinstellungen, stamm + QStringLiteral("Prozent"), w.prozent->isChecked());
    tavorin::setExportFlag(exportEinstellungen, stamm + QStringLiteral("Pixel"), w.pixel->isChecked());
    tavorin::setExportText(exportEinstellungen, stamm + QStringLiteral("Value"), w.breite->text());
    ExportSchluesselSpeichern(
        {stamm + QStringLiteral("Prozent"), stamm + QStringLiteral("Pixel"), stamm + QStringLiteral("Value")});
    CodeSchreiben(fenster);
}

void MainWindow::Exportausrichtung(int fenster) {
    if (fenster != 1 && fenster != 2)
        return;
    const ExportFenster& w = exportFenster[fenster - 1];
    if (!w.dialog)
        return;
    const QString stamm = fenster == 1 ? QStringLiteral("Tab") : QStringLiteral("Stat");
    const QStringList schluessel = {stamm + QStringLiteral("Links"), stamm + QStringLiteral("Zentriert"),
                                    stamm + QStringLiteral("LinksZentriert")};
    for (int i = 0; i < 3; ++i)
        tavorin::setExportFlag(exportEinstellungen, schluessel[i], w.ausrichtung[i]->isChecked());
    ExportSchluesselSpeichern(schluessel);
    CodeSchreiben(fenster);
}

void MainWindow::FarbeWaehlen(int index) {
    tavorin::ExportSettings& e = exportEinstellungen;
    // Index 1 to 3: drawn, won, lost (window 3); 4 to 6: the lines of windows 3, 2 and 1.
    QString* const farben[] = {nullptr, &e.unentschieden, &e.gewonnen, &e.verloren, &e.linie3, &e.linie2, &e.linie1};
    if (index < 1 || index > 6)
        return;
    const QColor gewaehlt =
        QColorDialog::getColor(QColor(*farben[index]), this, UmlauteErsetzen(QStringLiteral("Farbe w:ae:hlen")));
    if (!gewaehlt.isValid())
        return;
    const QString name = gewaehlt.name();
    *farben[index] = name;

    const ExportFenster& w = exportFenster[index <= 4 ? 2 : 6 - index];
    QLineEdit* feld = index <= 3 ? w.ergebnisfarbe[index - 1] : w.linienfarbe;
    QLabel* muster = index <= 3 ? w.ergebnismuster[index - 1] : w.linienmuster;
    if (w.dialog && feld && muster) {
        muster->setStyleSheet(QStringLiteral("border:1px solid #000000; background-color:") + name);
        feld->setText(name); // regenerates the window's code
    }
    ExportSchluesselSpeichern({QStringLiteral("unentschieden"), QStringLiteral("gewonnen"), QStringLiteral("verloren"),
                               QStringLiteral("linie1"), QStringLiteral("linie2"), QStringLiteral("linie3")});
}
