#pragma once

#include "app/pagecontext.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

// "Einstellungen": the captions of the players' names and sides, the points, the order of players level
// on points and which names the results list shows. Captions and points take effect at the next start.
class SettingsDialog : public QDialog {
    Q_OBJECT

public:
    SettingsDialog(const PageContext& context, QWidget* parent = nullptr);

    struct Widgets {
        QLineEdit* name1 = nullptr;
        QLineEdit* name2 = nullptr;
        QLineEdit* home = nullptr;
        QLineEdit* away = nullptr;
        QLineEdit* won = nullptr;
        QLineEdit* drawn = nullptr;
        QLineEdit* lost = nullptr;
        QRadioButton* secondNames = nullptr; // zweiterNameRadioButton
        QRadioButton* headToHead = nullptr;  // direkterVergleichRadioButton
        QPushButton* store = nullptr;        // eintragenButton -> EinstellungenAendern
    };
    const Widgets& ui() const { return w; }

    // Writes the values shown to config.ini (EinstellungenAendern) and closes the dialog; the caller
    // applies what takes effect at once (the names shown, the order of players level on points).
    tavorin::DialogValues store();

private:
    const PageContext& context;
    Widgets w;
};
