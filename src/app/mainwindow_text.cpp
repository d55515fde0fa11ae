#include "app/dialogs.h"
#include "app/mainwindow.h"
#include "app/textescape.h"

#include <QMessageBox>

QString MainWindow::UmlauteErsetzen(const QString& text) {
    return tavorin::replaceUmlautEscapes(text);
}

void MainWindow::MeldungAnzeigen(int kind, const QString& text, const QString& detail) {
    QMessageBox box;
    box.setWindowTitle(QStringLiteral("Tavorin"));
    switch (kind) {
    case 1:
        box.setIcon(QMessageBox::Question);
        break;
    case 2:
        box.setIcon(QMessageBox::Information);
        break;
    case 4:
        box.setIcon(QMessageBox::Critical);
        break;
    default:
        box.setIcon(QMessageBox::Warning);
        break;
    }
    QString shown = UmlauteErsetzen(text);
    if (!detail.isEmpty())
        shown += QLatin1Char('\n') + detail;
    box.setText(shown);
    box.setStandardButtons(QMessageBox::Ok);
    dialogs::showMessage(box);
}

bool MainWindow::FrageAnzeigen(const QString& text) {
    QMessageBox box;
    box.setWindowTitle(QStringLiteral("Tavorin"));
    box.setIcon(QMessageBox::Question);
    box.setText(UmlauteErsetzen(text));
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    return dialogs::showMessage(box) == QMessageBox::Yes;
}
