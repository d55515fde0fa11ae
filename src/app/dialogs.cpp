#include "app/dialogs.h"

#include <QFileDialog>

#include <utility>

namespace dialogs {

namespace {
MessageAnswer messageAnswer;
FileAnswer fileAnswer;
} // namespace

QMessageBox::StandardButton showMessage(QMessageBox& box) {
    if (messageAnswer)
        return messageAnswer(box);
    return QMessageBox::StandardButton(box.exec());
}

QString chooseFile(QWidget* parent, const FileQuestion& q) {
    if (fileAnswer)
        return fileAnswer(q);
    return q.save ? QFileDialog::getSaveFileName(parent, q.title, q.start, q.filter)
                  : QFileDialog::getOpenFileName(parent, q.title, q.start, q.filter);
}

MessageAnswer setMessageAnswer(MessageAnswer answer) {
    return std::exchange(messageAnswer, std::move(answer));
}

FileAnswer setFileAnswer(FileAnswer answer) {
    return std::exchange(fileAnswer, std::move(answer));
}

} // namespace dialogs
