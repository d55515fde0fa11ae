#pragma once

#include "app/pagecontext.h"

#include <QWidget>

class QComboBox;
class QTableView;

namespace tavorin::models {
class StandingsModel;
}

// The page "Tabelle" or "Statistik": a header with the league selector, and the league's table or
// statistics below it.
class StandingsPage : public QWidget {
    Q_OBJECT

public:
    enum class Kind { LeagueTable, Statistics };
    StandingsPage(const PageContext& context, Kind kind, QWidget* parent = nullptr);

    struct Widgets {
        QComboBox* league = nullptr; // tabelleLigaComboBox / statistikLigaComboBox
        QTableView* table = nullptr; // ligaTabelleTableWidget / statistikTableWidget
    };
    const Widgets& ui() const { return w; }

    void fill(); // tabelleTabelleFullen / tabelleStatistikFuellen: the league chosen

private:
    const PageContext& context;
    Widgets w;
    tavorin::models::StandingsModel* model = nullptr;
};
