#pragma once

#include "app/pagecontext.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tavorin::models {
class NameFilterProxy;
class PlayerListModel;
} // namespace tavorin::models

// The page "Spieler": the register of players with its search field, and the groups that add, rename and
// delete a player. The list can hold every player of many seasons; it follows changes only while the
// administration tabs are shown (setListed).
class PlayersPage : public QWidget {
    Q_OBJECT

public:
    PlayersPage(const PageContext& context, QWidget* parent = nullptr);

    // What the main window connects to its slots.
    struct Widgets {
        QTableView* players = nullptr; // spielerTableWidget; clicked -> SpielerAuswaehlen
        QLineEdit* search = nullptr;
        QLineEdit* newName1 = nullptr;
        QLineEdit* newName2 = nullptr;
        QLineEdit* editName1 = nullptr;
        QLineEdit* editName2 = nullptr;
        QLabel* deleteName1 = nullptr;
        QLabel* deleteName2 = nullptr;
        QPushButton* add = nullptr;    // SpielerEintragen (also Enter in the new fields)
        QPushButton* edit = nullptr;   // SpielerBearbeiten (also Enter in the edit fields)
        QPushButton* remove = nullptr; // SpielerLoeschen
        QPushButton* clear = nullptr;  // FelderSpielerLeeren
    };
    const Widgets& ui() const { return w; }

    void setListed(bool shown);
    // Reads the register anew (a league connected or restored).
    void reload();

    void select();      // SpielerAuswaehlen: the current row into the edit and delete groups
    void add();         // SpielerEintragen
    void edit();        // SpielerBearbeiten
    void remove();      // SpielerLoeschen
    void clearFields(); // FelderSpielerLeeren

private:
    void clearSelection(); // edit fields, delete labels and the selected player

    const PageContext& context;
    Widgets w;
    tavorin::models::PlayerListModel* model = nullptr;
    tavorin::models::NameFilterProxy* proxy = nullptr;
    tavorin::Id selected = 0; // the player picked in the list; 0 when none
    tavorin::Player picked;   // his names as stored when he was picked
};
