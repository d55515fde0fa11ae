#include "app/messages.h"

#include "app/dialogs.h"
#include "app/textescape.h"

#include <QMessageBox>

namespace messages {

void show(int kind, const QString& text, const QString& detail) {
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
    QString shown = tavorin::replaceUmlautEscapes(text);
    if (!detail.isEmpty())
        shown += QLatin1Char('\n') + detail;
    box.setText(shown);
    box.setStandardButtons(QMessageBox::Ok);
    dialogs::showMessage(box);
}

bool ask(const QString& text) {
    QMessageBox box;
    box.setWindowTitle(QStringLiteral("Tavorin"));
    box.setIcon(QMessageBox::Question);
    box.setText(tavorin::replaceUmlautEscapes(text));
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::No);
    return dialogs::showMessage(box) == QMessageBox::Yes;
}

bool reportLock(const tavorin::db::Result& result) {
    if (result.locked)
        show(3, QStringLiteral("Die Datenbank wird gerade von einem anderen Programm benutzt."), result.error);
    return result.locked;
}

bool writeSucceeded(const tavorin::db::Result& result) {
    // Another organiser's change is no fault: what happened is the message itself.
    if (result.conflict)
        show(3, QStringLiteral("  ") + result.error.section(QLatin1Char('\n'), 0, 0) + QStringLiteral("  "),
             result.error.section(QLatin1Char('\n'), 1));
    else if (!reportLock(result) && !result)
        show(4, QStringLiteral("  Die Daten konnten nicht gespeichert werden!  "),
             result.offline ? QStringLiteral("Die Verbindung zum Liga-Server ist unterbrochen.") : result.error);
    return result.ok;
}

void readFailed(const tavorin::db::Result& failure) {
    // A broken connection to a server league has been reported once when it broke.
    if (!failure.offline && !reportLock(failure))
        show(4, QStringLiteral("Die Daten konnten nicht gelesen werden!"), failure.error);
}

} // namespace messages
