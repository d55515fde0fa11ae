#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// Every message box and file dialog of the program opens through these two functions.
namespace dialogs {

// Shows `box` modally; returns the standard button it was closed with.
QMessageBox::StandardButton showMessage(QMessageBox& box);

// What a file dialog asks for: an existing file to open, or a name to save under.
struct FileQuestion {
    bool save = false;
    QString title;
    QString start; // the file proposed, or the folder to start in
    QString filter;
};
// The chosen file; empty when the dialog was cancelled.
QString chooseFile(QWidget* parent, const FileQuestion& question);

// For tests: while an answer is set, nothing is shown. A message box is handed to the message answer,
// which returns the button it is closed with; a file question to the file answer, which returns the
// chosen file (empty for cancelled). Each setter returns the answer it replaces.
using MessageAnswer = std::function<QMessageBox::StandardButton(const QMessageBox&)>;
using FileAnswer = std::function<QString(const FileQuestion&)>;
MessageAnswer setMessageAnswer(MessageAnswer answer);
FileAnswer setFileAnswer(FileAnswer answer);

} // namespace dialogs
