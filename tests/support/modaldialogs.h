#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// What a message box showed before the test closed it.
struct SeenMessage {
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
};

// Runs `action` and answers every modal dialog that opens meanwhile: a message box is recorded and
// closed with `answer` (or its default button when `answer` is NoButton); any other dialog is handed
// to `onDialog` once, from the dialog's own event loop, and the handler must close it. Message boxes
// that the handler's actions open are answered as well. Returns when `action` has returned, with the
// message boxes in the order they appeared.
QList<SeenMessage> answerModals(const std::function<void()>& action, const std::function<void(QWidget*)>& onDialog = {},
                                QMessageBox::StandardButton answer = QMessageBox::NoButton);
