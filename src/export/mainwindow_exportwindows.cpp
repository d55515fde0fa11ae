#include "app/mainwindow.h"
#include "app/widgets.h"
#include "export/forumcode.h"
#include "export/scheduleexport.h"
#include "results/standings.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTextEdit>
#include <QTime>
#include <QVBoxLayout>

namespace {

template <typename W> W* platziert(QWidget* parent, const QRect& geometry, const QString& name) {
    auto* w = new W(parent);
    w->setGeometry(geometry);
    w->setObjectName(name);
    return w;
}

QGroupBox* gruppe(const QString& titel, int hoehe, const QString& name) {
    auto* g = new QGroupBox(titel);
    g->setFixedHeight(hoehe);
    g->setObjectName(name);
    return g;
}

// A read-only colour field with its swatch, for a colour name like "#ffffdd".
void farbzeile(QWidget* parent, int y, int feldX, const QString& farbe, const QString& name, QLineEdit** feld,
               QLabel** muster) {
    *feld = platziert<QLineEdit>(parent, QRect(feldX, y, 60, 20), name + QStringLiteral("FarbeLineEdit"));
    (*feld)->setReadOnly(true);
    (*feld)->setText(farbe);
    *muster = platziert<QLabel>(parent, QRect(feldX + 70, y, 20, 20), name + QStringLiteral("MusterLabel"));
    (*muster)->setStyleSheet(QStringLiteral("border:1px solid #000000; background-color:") + farbe);
}

tavorin::CodeFormat format(const QRadioButton* html, const QRadioButton* bbcode) {
    if (html->isChecked())
        return tavorin::CodeFormat::Html;
    if (bbcode->isChecked())
        return tavorin::CodeFormat::BBCode;
    return tavorin::CodeFormat::None;
}

} // namespace

QDialog* MainWindow::ExportFensterAufbauen(int fenster) {
    const tavorin::ExportSettings& e = exportEinstellungen;
    ExportFenster& w = exportFenster[fenster - 1];
    w = ExportFenster();
    const QString n = QString::number(fenster);

    auto* dialog = new QDialog(this);
    dialog->setObjectName(QStringLiteral("exportFenster") + n + QStringLiteral("Dialog"));
    dialog->setFixedSize(600, 800);
    w.dialog = dialog;
    auto* spalte = new QVBoxLayout(dialog);

    QGroupBox* formatGruppe = gruppe(QStringLiteral("Format"), 60, QStringLiteral("formatGroupBox"));
    w.html = platziert<QRadioButton>(formatGruppe, QRect(20, 15, 200, 20), QStringLiteral("htmlRadioButton"));
    w.html->setText(QStringLiteral("html-Code"));
    w.html->setChecked(true);
    w.bbcode = platziert<QRadioButton>(formatGruppe, QRect(20, 35, 200, 20), QStringLiteral("bbcodeRadioButton"));
    w.bbcode->setText(QStringLiteral("BB-Code"));
    spalte->addWidget(formatGruppe);

    w.code = new QTextEdit;
    w.code->setObjectName(QStringLiteral("codeTextEdit"));
    spalte->addWidget(w.code);

    auto* zeile = new QWidget;
    auto* zeileLayout = new QHBoxLayout(zeile);
    zeileLayout->setContentsMargins(0, 0, 0, 0);
    spalte->addWidget(zeile);

    // Window-specific groups come first in the row, "Einstellungen" last.
    QGroupBox* einstellungen = gruppe(QStringLiteral("Einstellungen"), 185, QStringLiteral("einstellungenGroupBox"));
    const bool nameA = fenster == 1 ? e.name1a : fenster == 2 ? e.name2a : e.name3a;
    const bool nameB = fenster == 1 ? e.name1b : fenster == 2 ? e.name2b : e.name3b;
    w.name1 = platziert<QCheckBox>(einstellungen, QRect(20, 20, 200, 20), QStringLiteral("name1CheckBox"));
    w.name1->setText(bezeichnungen.name1);
    w.name1->setChecked(nameA);
    w.name2 = platziert<QCheckBox>(einstellungen, QRect(150, 20, 200, 20), QStringLiteral("name2CheckBox"));
    w.name2->setText(bezeichnungen.name2);
    w.name2->setChecked(nameB);

    const bool prozent = fenster == 1 ? e.TabBreite1Prozent : fenster == 2 ? e.TabBreite2Prozent : e.TabBreite3Prozent;
    const bool pixel = fenster == 1 ? e.TabBreite1Pixel : fenster == 2 ? e.TabBreite2Pixel : e.TabBreite3Pixel;
    const QString breite = fenster == 1 ? e.TabBreite1Value : fenster == 2 ? e.TabBreite2Value : e.TabBreite3Value;
    auto* breiteGruppe = platziert<QGroupBox>(einstellungen, QRect(20, 45, 220, 50), QStringLiteral("breiteGroupBox"));
    breiteGruppe->setTitle(QStringLiteral("Tabellenbreite"));
    w.breite = platziert<QLineEdit>(breiteGruppe, QRect(5, 20, 55, 20), QStringLiteral("breiteLineEdit"));
    w.breite->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), w.breite));
    w.breite->setText(breite);
    w.prozent = platziert<QRadioButton>(breiteGruppe, QRect(75, 20, 40, 20), QStringLiteral("prozentRadioButton"));
    w.prozent->setText(QStringLiteral("%"));
    w.prozent->setChecked(prozent);
    w.pixel = platziert<QRadioButton>(breiteGruppe, QRect(125, 20, 40, 20), QStringLiteral("pixelRadioButton"));
    w.pixel->setText(QStringLiteral("Px"));
    w.pixel->setChecked(pixel);

    w.staerke = platziert<QComboBox>(einstellungen, QRect(20, 105, 60, 20), QStringLiteral("staerkeComboBox"));
    for (int dicke = 0; dicke <= 8; ++dicke)
        w.staerke->addItem(QString::number(dicke));
    w.staerke->setCurrentText(fenster == 1 ? e.linieB1 : fenster == 2 ? e.linieB2 : e.linieB3);
    platziert<QLabel>(einstellungen, QRect(90, 105, 150, 20), QStringLiteral("staerkeLabel"))
        ->setText(UmlauteErsetzen(QStringLiteral("Linienst:ae:rke (nur HTML)")));
    farbzeile(einstellungen, 130, 20,
              fenster == 1   ? e.linie1
              : fenster == 2 ? e.linie2
                             : e.linie3,
              QStringLiteral("linie"), &w.linienfarbe, &w.linienmuster);
    w.linienknopf =
        platziert<QPushButton>(einstellungen, QRect(120, 130, 120, 20), QStringLiteral("linienfarbeButton"));
    w.linienknopf->setText(QStringLiteral("Linienfarbe (nur HTML)"));
    w.datum = platziert<QCheckBox>(einstellungen, QRect(20, 155, 200, 20), QStringLiteral("datumCheckBox"));
    w.datum->setText(QStringLiteral("Aktualisierungsdatum anzeigen"));
    w.datum->setChecked(fenster == 1 ? e.TabAktDatum : fenster == 2 ? e.StatAktDatum : e.StagAktDatum);

    if (fenster != 3) {
        QGroupBox* ausrichtung = gruppe(QStringLiteral("Ausrichtung"), 185, QStringLiteral("ausrichtungGroupBox"));
        const char* const texte[] = {"Alle Tabelleninhalte linksb:ue:ndig", "Alle Tabelleninhalte zentriert",
                                     "Namen linksb:ue:ndig, Werte zentriert"};
        const char* const namen[] = {"linksRadioButton", "zentriertRadioButton", "linksZentriertRadioButton"};
        const bool gesetzt[] = {fenster == 1 ? e.TabLinks : e.StatLinks,
                                fenster == 1 ? e.TabZentriert : e.StatZentriert,
                                fenster == 1 ? e.TabLinksZentriert : e.StatLinksZentriert};
        for (int i = 0; i < 3; ++i) {
            w.ausrichtung[i] =
                platziert<QRadioButton>(ausrichtung, QRect(20, 20 + 25 * i, 200, 25), QLatin1StringView(namen[i]));
            w.ausrichtung[i]->setText(UmlauteErsetzen(QLatin1StringView(texte[i])));
            // Set in turn: in the exclusive group a later "true" unchecks an earlier one.
            if (gesetzt[i])
                w.ausrichtung[i]->setChecked(true);
        }
        zeileLayout->addWidget(ausrichtung);
    } else {
        auto* links = new QWidget;
        auto* linksLayout = new QVBoxLayout(links);
        linksLayout->setContentsMargins(0, 0, 0, 0);
        QGroupBox* formatierung =
            gruppe(QStringLiteral("Formatierung (nur BB-Code)"), 80, QStringLiteral("formatierungGroupBox"));
        const auto kasten = [&](int y, const char* text, const char* name) {
            auto* box = platziert<QCheckBox>(formatierung, QRect(20, y, 200, 25), QLatin1StringView(name));
            box->setText(QLatin1StringView(text));
            box->setChecked(true);
            return box;
        };
        w.spieltageFett = kasten(15, "Spieltage fett", "spieltageFettCheckBox");
        w.spieltageUnterstrichen = kasten(35, "Spieltage unterstrichen", "spieltageUnterstrichenCheckBox");
        w.spielstandFett = kasten(55, "Spielstand fett", "spielstandFettCheckBox");
        QGroupBox* farben = gruppe(QStringLiteral("Farben (nur html)"), 100, QStringLiteral("farbenGroupBox"));
        const QString farbwerte[] = {e.unentschieden, e.gewonnen, e.verloren};
        const char* const farbnamen[] = {"unentschieden", "gewonnen", "verloren"};
        for (int i = 0; i < 3; ++i) {
            const QString name = QLatin1StringView(farbnamen[i]);
            farbzeile(farben, 20 + 25 * i, 20, farbwerte[i], name, &w.ergebnisfarbe[i], &w.ergebnismuster[i]);
            w.ergebnisknopf[i] =
                platziert<QPushButton>(farben, QRect(120, 20 + 25 * i, 120, 20), name + QStringLiteral("Button"));
            w.ergebnisknopf[i]->setText(name);
        }
        linksLayout->addWidget(formatierung);
        linksLayout->addWidget(farben);
        zeileLayout->addWidget(links);
    }
    zeileLayout->addWidget(einstellungen);

    auto* kopieren = new QPushButton(QStringLiteral("Text in Zwischenablage kopieren"));
    kopieren->setObjectName(QStringLiteral("kopierenButton"));
    auto* schliessen = new QPushButton(UmlauteErsetzen(QStringLiteral("Fenster schlie:sz:en")));
    schliessen->setObjectName(QStringLiteral("schliessenButton"));
    for (QPushButton* knopf : {kopieren, schliessen}) {
        knopf->setFixedHeight(30);
        knopf->setStyleSheet(widgets::lightGray);
        spalte->addWidget(knopf);
    }
    void (MainWindow::*const kopierSlots[])() = {&MainWindow::TextInZwischenablage, &MainWindow::TextInZwischenablage2,
                                                 &MainWindow::TextInZwischenablage3};
    connect(kopieren, &QPushButton::clicked, this, kopierSlots[fenster - 1]);
    connect(schliessen, &QPushButton::clicked, dialog, &QDialog::close);
    return dialog;
}

void MainWindow::ExportFensterZeigen(int fenster) {
    QDialog* dialog = ExportFensterAufbauen(fenster);
    CodeNeuErstellen(fenster);
    ExportOptionenVerbinden(fenster);
    dialog->exec();
    delete dialog;
}

void MainWindow::tabelleForencodeErstellen() {
    ExportFensterZeigen(1);
}

void MainWindow::statistikForencodeErstellen() {
    ExportFensterZeigen(2);
}

void MainWindow::tabelleSpielplanErstellen() {
    ExportFensterZeigen(3);
}

void MainWindow::CodeNeuErstellen(int fenster) {
    switch (fenster) {
    case 1:
        ForencodeErstellen();
        break;
    case 2:
        StatistikcodeErstellen();
        break;
    case 3:
        PlancodeErstellen();
        break;
    default:
        break;
    }
}

namespace {

// The options every window offers, read from its widgets.
template <typename Options, typename Fenster> Options optionen(const Fenster& w, const QString& heute) {
    Options o;
    o.format = format(w.html, w.bbcode);
    o.firstName = w.name1->isChecked();
    o.secondName = w.name2->isChecked();
    o.width = w.breite->text();
    o.widthUnit = w.prozent->isChecked() ? tavorin::WidthUnit::Percent
                  : w.pixel->isChecked() ? tavorin::WidthUnit::Pixel
                                         : tavorin::WidthUnit::None;
    o.lineThickness = w.staerke->currentText();
    o.lineColour = w.linienfarbe->text();
    o.showDate = w.datum->isChecked();
    o.today = heute;
    o.currentTime = QTime::currentTime().toString(QStringLiteral("hh:mm"));
    return o;
}

template <typename Fenster> tavorin::TableCodeOptions tabellenOptionen(const Fenster& w, const QString& heute) {
    auto o = optionen<tavorin::TableCodeOptions>(w, heute);
    o.alignment = w.ausrichtung[0]->isChecked()   ? tavorin::CellAlignment::Left
                  : w.ausrichtung[1]->isChecked() ? tavorin::CellAlignment::Centred
                  : w.ausrichtung[2]->isChecked() ? tavorin::CellAlignment::NamesLeftValuesCentred
                                                  : tavorin::CellAlignment::None;
    return o;
}

} // namespace

void MainWindow::ForencodeErstellen() {
    const ExportFenster& w = exportFenster[0];
    if (!w.dialog)
        return;
    const QList<tavorin::LeagueTableRow> zeilen = tavorin::leagueTable(AusgewaehlteLigaId(comboLigaTabelle));
    if (LesenGescheitert())
        return; // the code field keeps what it showed
    w.code->setPlainText(tavorin::leagueTableCode(zeilen, tabellenOptionen(w, heute)));
}

void MainWindow::StatistikcodeErstellen() {
    const ExportFenster& w = exportFenster[1];
    if (!w.dialog)
        return;
    tavorin::rewriteZeroBestLegs();
    const QList<tavorin::StatisticsRow> zeilen = tavorin::statistics(AusgewaehlteLigaId(comboLigaStatistik));
    if (LesenGescheitert())
        return;
    w.code->setPlainText(tavorin::statisticsCode(zeilen, tabellenOptionen(w, heute)));
}

void MainWindow::PlancodeErstellen() {
    const ExportFenster& w = exportFenster[2];
    if (!w.dialog)
        return;
    auto o = optionen<tavorin::ScheduleCodeOptions>(w, heute);
    o.drawnColour = exportEinstellungen.unentschieden;
    o.wonColour = exportEinstellungen.gewonnen;
    o.lostColour = exportEinstellungen.verloren;
    o.boldMatchDays = w.spieltageFett->isChecked();
    o.underlinedMatchDays = w.spieltageUnterstrichen->isChecked();
    o.boldScore = w.spielstandFett->isChecked();
    const QList<tavorin::ScheduleMatch> spiele = tavorin::scheduleForExport(AusgewaehlteLigaId(comboLigaErgebnisse));
    if (LesenGescheitert())
        return;
    w.code->setPlainText(tavorin::scheduleCode(spiele, o, plattformen));
}

void MainWindow::CodeKopieren(int fenster) {
    const ExportFenster& w = exportFenster[fenster - 1];
    if (!w.dialog)
        return;
    QClipboard* ablage = QGuiApplication::clipboard();
    ablage->clear(QClipboard::Clipboard);
    ablage->setText(w.code->toPlainText(), QClipboard::Clipboard);
}

void MainWindow::TextInZwischenablage() {
    CodeKopieren(1);
}

void MainWindow::TextInZwischenablage2() {
    CodeKopieren(2);
}

void MainWindow::TextInZwischenablage3() {
    CodeKopieren(3);
}
