#include "app/dialogs.h"
#include "app/messages.h"
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

namespace tavorin {

QString ForumCodeWindow::chooseTarget(const QString& titel, const QString& endung) {
    const QString vorschlag = fileName();
    // Characters that no file name may hold become underscores.
    static const QRegularExpression verboten(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f])"));
    QString name = vorschlag.trimmed();
    name.replace(verboten, QStringLiteral("_"));
    const QString start = context.fileFolder + QLatin1Char('/') + name + QLatin1Char('.') + endung;
    return dialogs::chooseFile(this, {true, titel, start, QStringLiteral("(*.") + endung + QLatin1Char(')')});
}

bool ForumCodeWindow::writeFile(const QString& pfad, const QByteArray& daten) {
    QSaveFile datei(pfad);
    if (datei.open(QIODevice::WriteOnly) && datei.write(daten) == daten.size() && datei.commit())
        return true;
    messages::show(4, QStringLiteral("  Die Datei konnte nicht gespeichert werden!  "),
                   pfad + QStringLiteral(": ") + datei.errorString());
    return false;
}

void ForumCodeWindow::saveCsv() {
    const QString pfad = chooseTarget(QStringLiteral("Als CSV speichern"), QStringLiteral("csv"));
    QByteArray daten;
    if (!pfad.isEmpty() && csvFile(daten))
        writeFile(pfad, daten);
}

void ForumCodeWindow::savePdf() {
    const QString pfad = chooseTarget(QStringLiteral("Als PDF speichern"), QStringLiteral("pdf"));
    QTextDocument dokument;
    if (pfad.isEmpty() || !printDocument(dokument))
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
    writeFile(pfad, puffer.data());
}

void ForumCodeWindow::print() {
    QTextDocument dokument;
    if (!printDocument(dokument))
        return;
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setPageSize(QPageSize(QPageSize::A4));
    drucker.setDocName(dokument.metaInformation(QTextDocument::DocumentTitle));
    QPrintDialog auswahl(&drucker, this);
    auswahl.setObjectName(QStringLiteral("druckenDialog"));
    if (auswahl.exec() == QDialog::Accepted)
        dokument.print(&drucker);
}

} // namespace tavorin
