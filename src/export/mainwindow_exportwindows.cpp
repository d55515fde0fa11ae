#include "app/mainwindow.h"
#include "app/widgets.h"
#include "export/bbpreview.h"
#include "export/forumcode.h"
#include "export/scheduleexport.h"
#include "export/tableexport.h"
#include "results/standings.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSplitter>
#include <QTextEdit>
#include <QTime>
#include <QVBoxLayout>

namespace {

template <typename W> W* benannt(const QString& name) {
    auto* w = new W;
    w->setObjectName(name);
    return w;
}

template <typename W> W* benannt(const QString& name, const QString& text) {
    auto* w = benannt<W>(name);
    w->setText(text);
    return w;
}

// A read-only colour field with its swatch and its button, for a colour name like "#ffffdd", as a row of
// `raster`.
QPushButton* farbzeile(QGridLayout* raster, int row, const QString& farbe, const QString& name,
                       const QString& knopfText, QLineEdit** feld, QLabel** muster) {
    *feld = benannt<QLineEdit>(name + QStringLiteral("FarbeLineEdit"), farbe);
    (*feld)->setReadOnly(true);
    widgets::designSize(*feld, 60);
    *muster = benannt<QLabel>(name + QStringLiteral("MusterLabel"));
    (*muster)->setFixedSize(20, 20);
    (*muster)->setStyleSheet(QStringLiteral("border:1px solid #000000; background-color:") + farbe);
    auto* knopf = new QPushButton(knopfText);
    raster->addWidget(*feld, row, 0);
    raster->addWidget(*muster, row, 1);
    raster->addWidget(knopf, row, 2);
    return knopf;
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
    w.dialog = dialog;
    auto* spalte = new QVBoxLayout(dialog);

    QGroupBox* formatGruppe = GruppeAnlegen(QStringLiteral("Format"), 60, QStringLiteral("formatGroupBox"));
    w.html = benannt<QRadioButton>(QStringLiteral("htmlRadioButton"), QStringLiteral("html-Code"));
    w.html->setChecked(true);
    w.bbcode = benannt<QRadioButton>(QStringLiteral("bbcodeRadioButton"), QStringLiteral("BB-Code"));
    auto* formatLayout = new QVBoxLayout(formatGruppe);
    formatLayout->setSpacing(0);
    formatLayout->addWidget(w.html);
    formatLayout->addWidget(w.bbcode);
    spalte->addWidget(formatGruppe);

    // The code field and below it its preview take the room the window gains.
    w.code = new QTextEdit;
    w.code->setObjectName(QStringLiteral("codeTextEdit"));
    w.vorschau = new QTextEdit;
    w.vorschau->setObjectName(QStringLiteral("vorschauTextEdit"));
    w.vorschau->setReadOnly(true);
    auto* teiler = new QSplitter(Qt::Vertical);
    teiler->setObjectName(QStringLiteral("codeSplitter"));
    teiler->setChildrenCollapsible(false);
    teiler->addWidget(w.code);
    teiler->addWidget(w.vorschau);
    spalte->addWidget(teiler, 1);
    connect(w.code, &QTextEdit::textChanged, this, [this, fenster] { VorschauAktualisieren(fenster); });

    auto* zeile = new QWidget;
    auto* zeileLayout = new QHBoxLayout(zeile);
    zeileLayout->setContentsMargins(0, 0, 0, 0);
    spalte->addWidget(zeile);

    // Window-specific groups come first in the row, "Einstellungen" last.
    QGroupBox* einstellungen =
        GruppeAnlegen(QStringLiteral("Einstellungen"), 185, QStringLiteral("einstellungenGroupBox"));
    auto* einstellungenLayout = new QGridLayout(einstellungen);
    einstellungenLayout->setVerticalSpacing(4);
    const bool nameA = fenster == 1 ? e.name1a : fenster == 2 ? e.name2a : e.name3a;
    const bool nameB = fenster == 1 ? e.name1b : fenster == 2 ? e.name2b : e.name3b;
    w.name1 = benannt<QCheckBox>(QStringLiteral("name1CheckBox"), bezeichnungen.name1);
    w.name1->setChecked(nameA);
    w.name2 = benannt<QCheckBox>(QStringLiteral("name2CheckBox"), bezeichnungen.name2);
    w.name2->setChecked(nameB);
    auto* namen = new QHBoxLayout;
    namen->addWidget(w.name1);
    namen->addWidget(w.name2);
    namen->addStretch();
    einstellungenLayout->addLayout(namen, 0, 0, 1, 3);

    const bool prozent = fenster == 1 ? e.TabBreite1Prozent : fenster == 2 ? e.TabBreite2Prozent : e.TabBreite3Prozent;
    const bool pixel = fenster == 1 ? e.TabBreite1Pixel : fenster == 2 ? e.TabBreite2Pixel : e.TabBreite3Pixel;
    const QString breite = fenster == 1 ? e.TabBreite1Value : fenster == 2 ? e.TabBreite2Value : e.TabBreite3Value;
    auto* breiteGruppe = benannt<QGroupBox>(QStringLiteral("breiteGroupBox"));
    breiteGruppe->setTitle(QStringLiteral("Tabellenbreite"));
    w.breite = benannt<QLineEdit>(QStringLiteral("breiteLineEdit"), breite);
    w.breite->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), w.breite));
    widgets::designSize(w.breite, 55);
    w.prozent = benannt<QRadioButton>(QStringLiteral("prozentRadioButton"), QStringLiteral("%"));
    w.pixel = benannt<QRadioButton>(QStringLiteral("pixelRadioButton"), QStringLiteral("Px"));
    auto* breiteLayout = new QHBoxLayout(breiteGruppe);
    breiteLayout->addWidget(w.breite);
    breiteLayout->addWidget(w.prozent);
    breiteLayout->addWidget(w.pixel);
    breiteLayout->addStretch();
    // Checked once both are in the group, which keeps at most one of them checked.
    w.prozent->setChecked(prozent);
    w.pixel->setChecked(pixel);
    einstellungenLayout->addWidget(breiteGruppe, 1, 0, 1, 3);

    w.staerke = benannt<QComboBox>(QStringLiteral("staerkeComboBox"));
    for (int dicke = 0; dicke <= 8; ++dicke)
        w.staerke->addItem(QString::number(dicke));
    w.staerke->setCurrentText(fenster == 1 ? e.linieB1 : fenster == 2 ? e.linieB2 : e.linieB3);
    widgets::designSize(w.staerke, 60);
    einstellungenLayout->addWidget(w.staerke, 2, 0);
    einstellungenLayout->addWidget(
        benannt<QLabel>(QStringLiteral("staerkeLabel"), UmlauteErsetzen(QStringLiteral("Linienst:ae:rke (nur HTML)"))),
        2, 1, 1, 2);
    w.linienknopf =
        farbzeile(einstellungenLayout, 3,
                  fenster == 1   ? e.linie1
                  : fenster == 2 ? e.linie2
                                 : e.linie3,
                  QStringLiteral("linie"), QStringLiteral("Linienfarbe (nur HTML)"), &w.linienfarbe, &w.linienmuster);
    w.linienknopf->setObjectName(QStringLiteral("linienfarbeButton"));
    w.datum = benannt<QCheckBox>(QStringLiteral("datumCheckBox"), QStringLiteral("Aktualisierungsdatum anzeigen"));
    w.datum->setChecked(fenster == 1 ? e.TabAktDatum : fenster == 2 ? e.StatAktDatum : e.StagAktDatum);
    einstellungenLayout->addWidget(w.datum, 4, 0, 1, 3);
    einstellungenLayout->setColumnStretch(2, 1);
    einstellungenLayout->setRowStretch(5, 1);

    if (fenster != 3) {
        QGroupBox* ausrichtung =
            GruppeAnlegen(QStringLiteral("Ausrichtung"), 185, QStringLiteral("ausrichtungGroupBox"));
        auto* ausrichtungLayout = new QVBoxLayout(ausrichtung);
        const char* const texte[] = {"Alle Tabelleninhalte linksb:ue:ndig", "Alle Tabelleninhalte zentriert",
                                     "Namen linksb:ue:ndig, Werte zentriert"};
        const char* const namen[] = {"linksRadioButton", "zentriertRadioButton", "linksZentriertRadioButton"};
        const bool gesetzt[] = {fenster == 1 ? e.TabLinks : e.StatLinks,
                                fenster == 1 ? e.TabZentriert : e.StatZentriert,
                                fenster == 1 ? e.TabLinksZentriert : e.StatLinksZentriert};
        for (int i = 0; i < 3; ++i) {
            w.ausrichtung[i] =
                benannt<QRadioButton>(QLatin1StringView(namen[i]), UmlauteErsetzen(QLatin1StringView(texte[i])));
            ausrichtungLayout->addWidget(w.ausrichtung[i]);
            // Set in turn: in the exclusive group a later "true" unchecks an earlier one.
            if (gesetzt[i])
                w.ausrichtung[i]->setChecked(true);
        }
        ausrichtungLayout->addStretch();
        zeileLayout->addWidget(ausrichtung);
    } else {
        auto* links = new QWidget;
        auto* linksLayout = new QVBoxLayout(links);
        linksLayout->setContentsMargins(0, 0, 0, 0);
        QGroupBox* formatierung =
            GruppeAnlegen(QStringLiteral("Formatierung (nur BB-Code)"), 80, QStringLiteral("formatierungGroupBox"));
        auto* formatierungLayout = new QVBoxLayout(formatierung);
        formatierungLayout->setSpacing(0);
        const auto kasten = [&](const char* text, const char* name) {
            auto* box = benannt<QCheckBox>(QLatin1StringView(name), QLatin1StringView(text));
            box->setChecked(true);
            formatierungLayout->addWidget(box);
            return box;
        };
        w.spieltageFett = kasten("Spieltage fett", "spieltageFettCheckBox");
        w.spieltageUnterstrichen = kasten("Spieltage unterstrichen", "spieltageUnterstrichenCheckBox");
        w.spielstandFett = kasten("Spielstand fett", "spielstandFettCheckBox");
        QGroupBox* farben = GruppeAnlegen(QStringLiteral("Farben (nur html)"), 100, QStringLiteral("farbenGroupBox"));
        auto* farbenLayout = new QGridLayout(farben);
        farbenLayout->setVerticalSpacing(4);
        const QString farbwerte[] = {e.unentschieden, e.gewonnen, e.verloren};
        const char* const farbnamen[] = {"unentschieden", "gewonnen", "verloren"};
        for (int i = 0; i < 3; ++i) {
            const QString name = QLatin1StringView(farbnamen[i]);
            w.ergebnisknopf[i] =
                farbzeile(farbenLayout, i, farbwerte[i], name, name, &w.ergebnisfarbe[i], &w.ergebnismuster[i]);
            w.ergebnisknopf[i]->setObjectName(name + QStringLiteral("Button"));
        }
        farbenLayout->setColumnStretch(2, 1);
        linksLayout->addWidget(formatierung);
        linksLayout->addWidget(farben);
        linksLayout->addStretch();
        zeileLayout->addWidget(links);
    }
    zeileLayout->addWidget(einstellungen);

    auto* dateien = new QHBoxLayout;
    const struct {
        const char* text;
        const char* name;
        void (MainWindow::*slot)(int);
    } dateiKnoepfe[] = {{"Als CSV speichern...", "csvButton", &MainWindow::AlsCsvSpeichern},
                        {"Als PDF speichern...", "pdfButton", &MainWindow::AlsPdfSpeichern},
                        {"Drucken...", "druckenButton", &MainWindow::ExportDrucken}};
    for (const auto& k : dateiKnoepfe) {
        QPushButton* knopf = widgets::button(QLatin1StringView(k.text), k.name);
        widgets::designSize(knopf, -1, 30);
        dateien->addWidget(knopf);
        connect(knopf, &QPushButton::clicked, this, [this, fenster, slot = k.slot] { (this->*slot)(fenster); });
    }
    spalte->addLayout(dateien);

    QPushButton* kopieren = widgets::button(QStringLiteral("Text in Zwischenablage kopieren"), "kopierenButton");
    QPushButton* schliessen =
        widgets::button(UmlauteErsetzen(QStringLiteral("Fenster schlie:sz:en")), "schliessenButton");
    for (QPushButton* knopf : {kopieren, schliessen}) {
        widgets::designSize(knopf, -1, 30);
        spalte->addWidget(knopf);
    }
    void (MainWindow::*const kopierSlots[])() = {&MainWindow::TextInZwischenablage, &MainWindow::TextInZwischenablage2,
                                                 &MainWindow::TextInZwischenablage3};
    connect(kopieren, &QPushButton::clicked, this, kopierSlots[fenster - 1]);
    connect(schliessen, &QPushButton::clicked, dialog, &QDialog::close);

    // The window is laid out rather than fixed: it can be resized and fits a small screen.
    widgets::applyDesignSizes(dialog);
    widgets::fitToScreen(dialog, QSize(600, 800));
    return dialog;
}

void MainWindow::ExportFensterZeigen(int fenster) {
    QDialog* dialog = ExportFensterAufbauen(fenster);
    CodeSchreiben(fenster);
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

QComboBox* MainWindow::ExportLigaAuswahl(int fenster) const {
    return fenster == 1 ? comboLigaTabelle : fenster == 2 ? comboLigaStatistik : comboLigaErgebnisse;
}

bool MainWindow::ExportZeilenLesen(int fenster, ExportZeilen& zeilen) {
    const QString liga = AusgewaehlteLigaId(ExportLigaAuswahl(fenster));
    if (fenster == 1) {
        zeilen.tabelle = tavorin::rankedLeagueTable(liga, punkte.reihenfolge);
    } else if (fenster == 2) {
        tavorin::rewriteZeroBestLegs();
        zeilen.statistik = tavorin::statistics(liga);
    } else {
        zeilen.spiele = tavorin::scheduleForExport(liga);
    }
    return !LesenGescheitert();
}

QString MainWindow::ExportCodeErstellen(int fenster, const ExportZeilen& zeilen, tavorin::CodeFormat format) const {
    const ExportFenster& w = exportFenster[fenster - 1];
    if (fenster != 3) {
        auto o = tabellenOptionen(w, heute);
        o.format = format;
        return fenster == 1 ? tavorin::leagueTableCode(zeilen.tabelle, o)
                            : tavorin::statisticsCode(zeilen.statistik, o);
    }
    auto o = optionen<tavorin::ScheduleCodeOptions>(w, heute);
    o.format = format;
    o.drawnColour = exportEinstellungen.unentschieden;
    o.wonColour = exportEinstellungen.gewonnen;
    o.lostColour = exportEinstellungen.verloren;
    o.boldMatchDays = w.spieltageFett->isChecked();
    o.underlinedMatchDays = w.spieltageUnterstrichen->isChecked();
    o.boldScore = w.spielstandFett->isChecked();
    return tavorin::scheduleCode(zeilen.spiele, o, plattformen);
}

void MainWindow::CodeSchreiben(int fenster) {
    const ExportFenster& w = exportFenster[fenster - 1];
    if (!w.dialog)
        return;
    ExportZeilen zeilen;
    if (!ExportZeilenLesen(fenster, zeilen))
        return; // the code field keeps what it showed
    w.code->setPlainText(ExportCodeErstellen(fenster, zeilen, format(w.html, w.bbcode)));
}

void MainWindow::VorschauAktualisieren(int fenster) {
    const ExportFenster& w = exportFenster[fenster - 1];
    if (!w.dialog || !w.vorschau)
        return;
    const QString code = w.code->toPlainText();
    w.vorschau->setHtml(w.bbcode->isChecked() ? tavorin::bbCodeToHtml(code) : code);
}

void MainWindow::ForencodeErstellen() {
    CodeSchreiben(1);
}

void MainWindow::StatistikcodeErstellen() {
    CodeSchreiben(2);
}

void MainWindow::PlancodeErstellen() {
    CodeSchreiben(3);
}

void MainWindow::CodeKopieren(int fenster) {
    const ExportFenster& w = exportFenster[fenster - 1];
    if (!w.dialog)
        return;
    QClipboard* ablage = QGuiApplication::clipboard();
    ablage->clear(QClipboard::Clipboard);
    ablage->setText(w.code->toPlainText(), QClipboard::Clipboard);
    StatusMelden(QStringLiteral("Code in die Zwischenablage kopiert"));
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
