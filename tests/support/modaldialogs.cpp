#include "modaldialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

QList<SeenMessage> answerModals(const std::function<void()>& action, const std::function<void(QWidget*)>& onDialog,
                                QMessageBox::StandardButton answer) {
    QList<SeenMessage> seen;
    QList<QPointer<QWidget>> handled;
    QTimer watcher;
    watcher.setInterval(10);
    QObject::connect(&watcher, &QTimer::timeout, &watcher, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || handled.contains(modal))
            return;
        handled.append(modal);
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen.append({box->text(), box->icon(), box->windowTitle()});
            QAbstractButton* button = answer == QMessageBox::NoButton ? nullptr : box->button(answer);
            if (!button)
                button = box->defaultButton();
            if (!button && !box->buttons().isEmpty())
                button = box->buttons().constFirst();
            if (button)
                button->click();
            else
                box->done(0);
        } else if (onDialog) {
            // Called from the dialog's own event loop, not from this timer, so that message boxes the
            // handler's actions open are answered too.
            QTimer::singleShot(0, modal, [onDialog, modal] { onDialog(modal); });
        } else {
            qWarning("answerModals: an unexpected dialog was rejected: %s", qPrintable(modal->objectName()));
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
        }
    });
    watcher.start();
    action();
    watcher.stop();
    return seen;
}
