#include "app/dialogs.h"
#include "app/mainwindow.h"
#include "export/forumcodewindow.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextDocument>

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

void MainWindow::AlsCsvSpeichern(int fenster) {
    const tavorin::ForumCodeWindow* w = OffenesExportFenster(fenster);
    if (!w)
        return;
    const QString pfad = SpeicherortWaehlen(exportFenster[fenster - 1], QStringLiteral("Als CSV speichern"),
                                            w->fileName(), QStringLiteral("csv"));
    QByteArray daten;
    if (!pfad.isEmpty() && w->csvFile(daten))
        DateiSchreiben(pfad, daten);
}

void MainWindow::AlsPdfSpeichern(int fenster) {
    const tavorin::ForumCodeWindow* w = OffenesExportFenster(fenster);
    if (!w)
        return;
    const QString pfad = SpeicherortWaehlen(exportFenster[fenster - 1], QStringLiteral("Als PDF speichern"),
                                            w->fileName(), QStringLiteral("pdf"));
    QTextDocument dokument;
    if (pfad.isEmpty() || !w->printDocument(dokument))
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
    const tavorin::ForumCodeWindow* w = OffenesExportFenster(fenster);
    QTextDocument dokument;
    if (!w || !w->printDocument(dokument))
        return;
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setPageSize(QPageSize(QPageSize::A4));
    drucker.setDocName(dokument.metaInformation(QTextDocument::DocumentTitle));
    QPrintDialog auswahl(&drucker, exportFenster[fenster - 1]);
    auswahl.setObjectName(QStringLiteral("druckenDialog"));
    if (auswahl.exec() == QDialog::Accepted)
        dokument.print(&drucker);
}
