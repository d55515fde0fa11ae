#include "modaldialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace {

// While the innermost one lives, message boxes are answered without being shown, and each other modal
// window is handed to the handler from its own event loop. Message boxes of Qt's own dialogs (a real file
// dialog asking whether to replace a file) are recorded and answered like the program's.
class ModalWatcher : public QObject {
public:
    ModalWatcher(const std::function<void(QWidget*)>& onDialog, QMessageBox::StandardButton answer)
        : onDialog(onDialog), answer(answer), outer(innermost),
          outerAnswer(dialogs::setMessageAnswer([this](const QMessageBox& box) { return reply(box); })) {
        innermost = this;
        qApp->installEventFilter(this);
    }
    ~ModalWatcher() override {
        innermost = outer;
        dialogs::setMessageAnswer(outerAnswer);
    }

    QList<SeenMessage> seen;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* window = qobject_cast<QWidget*>(object);
        if (event->type() == QEvent::Show && innermost == this && window && window->isWindow() && window->isModal())
            QTimer::singleShot(0, this, [this, modal = QPointer<QWidget>(window)] { handle(modal); });
        return false;
    }

private:
    // `answer` when the box has it, else its default button, else its first.
    QMessageBox::StandardButton reply(const QMessageBox& box) {
        seen.append({box.text(), box.icon()});
        if (answer != QMessageBox::NoButton && box.button(answer))
            return answer;
        const QList<QAbstractButton*> buttons = box.buttons();
        return box.standardButton(box.defaultButton() ? box.defaultButton() : buttons.value(0));
    }
    void handle(QWidget* modal) {
        if (!modal || !modal->isVisible())
            return;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            if (QAbstractButton* button = box->button(reply(*box)))
                button->click(); // Qt's own boxes ask which button was clicked
            else
                box->reject();
        } else if (onDialog) {
            onDialog(modal);
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            qWarning("answerModals: an unexpected dialog was rejected: %s", qPrintable(modal->objectName()));
            dialog->reject();
        }
    }

    static inline ModalWatcher* innermost = nullptr;
    const std::function<void(QWidget*)>& onDialog;
    const QMessageBox::StandardButton answer;
    ModalWatcher* const outer;
    const dialogs::MessageAnswer outerAnswer;
};

} // namespace

QList<SeenMessage> answerModals(const std::function<void()>& action, const std::function<void(QWidget*)>& onDialog,
                                QMessageBox::StandardButton answer) {
    ModalWatcher watcher(onDialog, answer);
    action();
    return watcher.seen;
}

FileAnswer::FileAnswer(const QString& path)
    : path(path), outer(dialogs::setFileAnswer([this](const dialogs::FileQuestion& q) {
          asked.append(q);
          return this->path;
      })) {}

FileAnswer::~FileAnswer() {
    dialogs::setFileAnswer(outer);
}
