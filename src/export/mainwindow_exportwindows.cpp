#include "app/mainwindow.h"
#include "export/forumcodewindow.h"

#include <QComboBox>

void MainWindow::ExportFensterZeigen(int fenster) {
    QComboBox* liga = ExportLigaAuswahl(fenster);
    tavorin::ForumCodeContext kontext;
    kontext.settings = &exportEinstellungen;
    kontext.configPath = tavorin::configFilePath(einstellungsOrdner);
    kontext.captions = bezeichnungen;
    kontext.today = heute;
    kontext.platforms = plattformen;
    kontext.order = punkte.reihenfolge;
    kontext.leagueId = AusgewaehlteLigaId(liga);
    kontext.leagueName = liga->currentText();
    auto* w = new tavorin::ForumCodeWindow(tavorin::ForumCodeWindowKind::of(fenster), kontext, this);
    exportFenster[fenster - 1] = w;
    w->writeCode();
    ExportOptionenVerbinden(w);
    w->exec();
    delete w;
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

tavorin::ForumCodeWindow* MainWindow::OffenesExportFenster(int fenster) const {
    return fenster >= 1 && fenster <= 3 ? exportFenster[fenster - 1].data() : nullptr;
}

QComboBox* MainWindow::ExportLigaAuswahl(int fenster) const {
    return fenster == 1 ? comboLigaTabelle : fenster == 2 ? comboLigaStatistik : comboLigaErgebnisse;
}

void MainWindow::ForencodeErstellen() {
    if (tavorin::ForumCodeWindow* w = OffenesExportFenster(1))
        w->writeCode();
}

void MainWindow::StatistikcodeErstellen() {
    if (tavorin::ForumCodeWindow* w = OffenesExportFenster(2))
        w->writeCode();
}

void MainWindow::PlancodeErstellen() {
    if (tavorin::ForumCodeWindow* w = OffenesExportFenster(3))
        w->writeCode();
}

void MainWindow::CodeKopieren(int fenster) {
    if (const tavorin::ForumCodeWindow* w = OffenesExportFenster(fenster)) {
        w->copyCode();
        StatusMelden(QStringLiteral("Code in die Zwischenablage kopiert"));
    }
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
