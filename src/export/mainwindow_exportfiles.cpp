#include "app/dialogs.h"
#include "app/mainwindow.h"
#include "export/tableexport.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextDocument>

namespace {

// What each window exports, for titles and proposed file names.
QString inhalt(int fenster) {
    return fenster == 1   ? QStringLiteral("Tabelle")
           : fenster == 2 ? QStringLiteral("Statistik")
                          : QStringLiteral("Spielplan");
}

} // namespace

QString MainWindow::SpeicherortWaehlen(QWidget* eltern, const QString& titel, const QString& vorschlag,
                                       const QString& endung) {
    // Characters that no file name may hold become underscores.
    static const QRegularExpression verboten(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f])"));
    QString name = vorschlag.trimmed();
    name.replace(verboten, QStringLiteral("_"));
    const QString start = QFileInfo(dbPfad).absolutePath() + QLatin1Char('/') + name + QLatin1Char('.') + endung;
    return dialogs::chooseFile(eltern, {true, titel, start, QStringLiteral("(*.") + endung + QLatin1Char(')')});
}

bool MainWindow::DateiSchreiben(const QString& pfad, const QByteArray& daten) {
    QSaveFile datei(pfad);
    if (datei.open(QIODevice::WriteOnly) && datei.write(daten) == daten.size() && datei.commit())
        return true;
    MeldungAnzeigen(4, QStringLiteral("  Die Datei konnte nicht gespeichert werden!  "),
                    pfad + QStringLiteral(": ") + datei.errorString());
    return false;
}

QString MainWindow::ExportDateiWaehlen(int fenster, const QString& titel, const QString& endung) {
    QDialog* dialog = exportFenster[fenster - 1].dialog;
    return dialog ? SpeicherortWaehlen(dialog, titel,
                                       inhalt(fenster) + QLatin1Char(' ') + ExportLigaAuswahl(fenster)->currentText(),
                                       endung)
                  : QString();
}

void MainWindow::AlsCsvSpeichern(int fenster) {
    const ExportFenster& w = exportFenster[fenster - 1];
    const QString pfad = ExportDateiWaehlen(fenster, QStringLiteral("Als CSV speichern"), QStringLiteral("csv"));
    ExportZeilen zeilen;
    if (pfad.isEmpty() || !w.dialog || !ExportZeilenLesen(fenster, zeilen))
        return;
    tavorin::ExportOptions namen;
    namen.firstName = w.name1->isChecked();
    namen.secondName = w.name2->isChecked();
    DateiSchreiben(pfad, fenster == 1   ? tavorin::leagueTableCsv(zeilen.tabelle, namen)
                         : fenster == 2 ? tavorin::statisticsCsv(zeilen.statistik, namen)
                                        : tavorin::scheduleCsv(zeilen.spiele, namen));
}

bool MainWindow::DruckDokumentErstellen(int fenster, QTextDocument& dokument) {
    ExportZeilen zeilen;
    if (!exportFenster[fenster - 1].dialog || !ExportZeilenLesen(fenster, zeilen))
        return false;
    const QString code = ExportCodeErstellen(fenster, zeilen, tavorin::CodeFormat::Html);
    dokument.setHtml(tavorin::printHtml(ExportLigaAuswahl(fenster)->currentText(), heute, code));
    dokument.setMetaInformation(QTextDocument::DocumentTitle,
                                ExportLigaAuswahl(fenster)->currentText() + QStringLiteral(" - ") + inhalt(fenster));
    return true;
}

void MainWindow::AlsPdfSpeichern(int fenster) {
    const QString pfad = ExportDateiWaehlen(fenster, QStringLiteral("Als PDF speichern"), QStringLiteral("pdf"));
    QTextDocument dokument;
    if (pfad.isEmpty() || !DruckDokumentErstellen(fenster, dokument))
        return;
    // Written into memory first, so that a file that cannot be written is reported and nothing half
    // written is left behind.
    QBuffer puffer;
    puffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&puffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setTitle(dokument.metaInformation(QTextDocument::DocumentTitle));
        pdf.setCreator(QStringLiteral("Tavorin"));
        dokument.print(&pdf);
    }
    DateiSchreiben(pfad, puffer.data());
}

void MainWindow::ExportDrucken(int fenster) {
    QTextDocument dokument;
    if (!DruckDokumentErstellen(fenster, dokument))
        return;
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setPageSize(QPageSize(QPageSize::A4));
    drucker.setDocName(dokument.metaInformation(QTextDocument::DocumentTitle));
    QPrintDialog auswahl(&drucker, exportFenster[fenster - 1].dialog);
    auswahl.setObjectName(QStringLiteral("druckenDialog"));
    if (auswahl.exec() == QDialog::Accepted)
        dokument.print(&drucker);
}
