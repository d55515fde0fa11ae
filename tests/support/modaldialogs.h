#pragma once

#include "app/dialogs.h"

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// What a message box showed before the test answered it.
struct SeenMessage {
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// The message boxes as "<icon>|<text>", one per line.
inline QString shown(const QList<SeenMessage>& seen) {
    QStringList out;
    for (const SeenMessage& m : seen)
        out << QString::number(m.icon) + QLatin1Char('|') + m.text;
    return out.join(QLatin1Char('\n'));
}

// Runs `action` and answers every message box that opens meanwhile, without showing it: it is recorded
// and answered with `answer` (its default button, else its first, when it has no `answer`). Any other
// modal dialog is handed to `onDialog` once, from the dialog's own event loop, and the handler must close
// it. Returns when `action` has returned, with the message boxes in the order they appeared.
QList<SeenMessage> answerModals(const std::function<void()>& action, const std::function<void(QWidget*)>& onDialog = {},
                                QMessageBox::StandardButton answer = QMessageBox::NoButton);

// While it lives, every file dialog is answered with `path` (an empty path cancels it) without being shown;
// `asked` keeps what each asked for.
class FileAnswer {
public:
    explicit FileAnswer(const QString& path);
    ~FileAnswer();
    FileAnswer(const FileAnswer&) = delete;
    FileAnswer& operator=(const FileAnswer&) = delete;

    QString path;
    QList<dialogs::FileQuestion> asked;

private:
    dialogs::FileAnswer outer;
};
