#pragma once

#include "app/pagecontext.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tavorin::models {
class LeagueListModel;
}

// The page "Ligen": the leagues and the groups that add, rename and delete one.
class LeaguesPage : public QWidget {
    Q_OBJECT

public:
    LeaguesPage(const PageContext& context, QWidget* parent = nullptr);

    struct Widgets {
        QTableView* leagues = nullptr; // ligenTableWidget; clicked -> LigaAuswaehlen
        QLineEdit* newName = nullptr;
        QLineEdit* editName = nullptr;
        QLabel* deleteName = nullptr;
        QPushButton* add = nullptr;    // LigaEintragen
        QPushButton* edit = nullptr;   // LigaBearbeiten
        QPushButton* remove = nullptr; // LigaLoeschen
        QPushButton* clear = nullptr;  // FelderLigaLeeren
    };
    const Widgets& ui() const { return w; }

    // Reads the leagues anew (a league connected or restored).
    void reload();
    void select();      // LigaAuswaehlen
    void add();         // LigaEintragen
    void edit();        // LigaBearbeiten
    void remove();      // LigaLoeschen
    void clearFields(); // FelderLigaLeeren

private:
    void clearSelection();

    const PageContext& context;
    Widgets w;
    tavorin::models::LeagueListModel* model = nullptr;
    tavorin::Id selected = 0;
};
