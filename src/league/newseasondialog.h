#pragma once

#include "app/pagecontext.h"
#include "league/newseason.h"

#include <QDialog>
#include <QHash>

class QCheckBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

// "Neue Saison...": the organiser checks the leagues of the finished season and orders them from the top
// division down, sets how many move up and down at each border and names the new leagues; the preview shows
// each new league with its members and where they came from; "Anlegen" creates it all after a backup.
class NewSeasonDialog : public QDialog {
    Q_OBJECT

public:
    NewSeasonDialog(const PageContext& context, QWidget* parent = nullptr);

    struct Widgets {
        QListWidget* leagues = nullptr;    // every league, checkable, in the order of the divisions
        QPushButton* up = nullptr;         // moves the current league one place up
        QPushButton* down = nullptr;       // and down
        QTableWidget* divisions = nullptr; // per checked league: old name, new name, up, down
        QCheckBox* schedules = nullptr;    // "Spielpläne berechnen"
        QCheckBox* returnRound = nullptr;  // "mit Rückrunde"
        QPlainTextEdit* preview = nullptr;
        QPushButton* create = nullptr; // "Anlegen"
    };
    const Widgets& ui() const { return w; }

    // The plan of what the dialog shows now.
    tavorin::newseason::Plan currentPlan();
    void createSeason(); // "Anlegen"

private:
    void move(int by);
    void rebuildDivisions(); // after the checked leagues or their order changed
    void showPreview();
    QList<tavorin::newseason::Division> chosenDivisions();

    const PageContext& context;
    Widgets w;
    QHash<tavorin::Id, QList<tavorin::LeagueTableRow>> tables; // read once per league
    QHash<tavorin::Id, QString> names;                         // the new names typed, by old league
    QHash<tavorin::Id, QPair<int, int>> counts;                // up and down, by old league
};
