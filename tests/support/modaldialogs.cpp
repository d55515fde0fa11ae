#include "modaldialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace {

QMessageBox::StandardButton reply(const QMessageBox& box, QMessageBox::StandardButton answer) {
    if (answer != QMessageBox::NoButton && box.button(answer))
        return answer;
    if (box.defaultButton())
        return box.standardButton(box.defaultButton());
    return box.buttons().isEmpty() ? QMessageBox::NoButton : box.standardButton(box.buttons().constFirst());
}

// Hands each modal window that is shown while the innermost watcher lives to its handler, from the
// window's own event loop. Message boxes of Qt's own dialogs (a real file dialog asking whether to
// replace a file) are recorded and answered like the program's.
class ModalWatcher : public QObject {
public:
    ModalWatcher(const std::function<void(QWidget*)>& onDialog, QMessageBox::StandardButton answer,
                 QList<SeenMessage>& seen)
        : onDialog(onDialog), answer(answer), seen(seen), outer(innermost) {
        innermost = this;
        qApp->installEventFilter(this);
    }
    ~ModalWatcher() override {
        qApp->removeEventFilter(this);
        innermost = outer;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show && innermost == this && object->isWidgetType()) {
            auto* window = static_cast<QWidget*>(object);
            if (window->isWindow() && window->isModal())
                QTimer::singleShot(0, this, [this, modal = QPointer<QWidget>(window)] { handle(modal); });
        }
        return false;
    }

private:
    void handle(QWidget* modal) {
        if (!modal || !modal->isVisible())
            return;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen.append({box->text(), box->icon(), box->windowTitle()});
            if (QAbstractButton* button = box->button(reply(*box, answer)))
                button->click(); // Qt's own boxes ask which button was clicked
            else
                box->reject();
        } else if (onDialog) {
            onDialog(modal);
        } else {
            qWarning("answerModals: an unexpected dialog was rejected: %s", qPrintable(modal->objectName()));
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
        }
    }

    static inline ModalWatcher* innermost = nullptr;
    const std::function<void(QWidget*)>& onDialog;
    const QMessageBox::StandardButton answer;
    QList<SeenMessage>& seen;
    ModalWatcher* const outer;
};

} // namespace

QList<SeenMessage> answerModals(const std::function<void()>& action, const std::function<void(QWidget*)>& onDialog,
                                QMessageBox::StandardButton answer) {
    QList<SeenMessage> seen;
    const dialogs::MessageAnswer outer = dialogs::setMessageAnswer([&seen, answer](const QMessageBox& box) {
        seen.append({box.text(), box.icon(), box.windowTitle()});
        return reply(box, answer);
    });
    {
        ModalWatcher watcher(onDialog, answer, seen);
        action();
    }
    dialogs::setMessageAnswer(outer);
    return seen;
}

FileAnswer::FileAnswer(const QString& path)
    : path(path), outer(dialogs::setFileAnswer([this](const dialogs::FileQuestion& q) {
          asked.append(q);
          return this->path;
      })) {}

FileAnswer::~FileAnswer() {
    dialogs::setFileAnswer(outer);
}
