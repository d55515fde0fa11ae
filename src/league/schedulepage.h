#pragma once

#include "app/pagecontext.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class QVBoxLayout;

namespace tavorin::models {
class MatchListModel;
}

// The page "Spieltage": the league's key figures, computing and deleting its schedule, deleting every
// result, the duplicate check, the schedule itself, and exchanging or replacing the players of a match.
class SchedulePage : public QWidget {
    Q_OBJECT

public:
    SchedulePage(const PageContext& context, QWidget* parent = nullptr);

    struct Widgets {
        QComboBox* league = nullptr;             // spieltageLigaComboBox; currentIndexChanged -> ComboBoxAAuswahl
        QCheckBox* returnRound = nullptr;        // rueckrundeCheckBox; clicked -> RueckrundeWaehlen
        QCheckBox* balance = nullptr;            // heimrechtCheckBox ("Heimrecht ausgleichen")
        QLabel* members = nullptr;               // mitspielerLabel
        QLabel* matchDays = nullptr;             // resultierendeSpieltageLabel
        QPushButton* compute = nullptr;          // SpieltagBerechnung
        QPushButton* deleteSchedule = nullptr;   // SpielplanLoeschen
        QPushButton* deleteResults = nullptr;    // ErgebnisseLoeschen
        QPushButton* checkDuplicates = nullptr;  // DBpruefen
        QPushButton* deleteDuplicates = nullptr; // DBdoppelLoeschen
        QTableView* schedule = nullptr;          // spielplanTableWidget; clicked -> tabelleSTanklicken
        QPushButton* swap = nullptr;             // butTauschendruecken
        QPushButton* replace = nullptr;          // butErsetzenDruecken
        QComboBox* replaceHome = nullptr;
        QComboBox* replaceAway = nullptr;
    };
    const Widgets& ui() const { return w; }

    void leagueChosen();      // ComboBoxAAuswahl: the counts and the schedule of the league chosen
    void countMembers();      // MitspielerZaehlen
    void fillSchedule();      // tabelleSTFuellen
    void fillReplacements();  // ErsatzlisteFuellen
    void returnRoundChosen(); // RueckrundeWaehlen
    void compute();           // SpieltagBerechnung
    void deleteSchedule();    // SpielplanLoeschen
    void deleteAllResults();  // ErgebnisseLoeschen
    void matchClicked();      // tabelleSTanklicken
    void swap();              // butTauschendruecken
    void replace();           // butErsetzenDruecken
    void checkDuplicates();   // DBpruefen
    void deleteDuplicates();  // DBdoppelLoeschen
    // Clears the counts (a league connected or restored).
    void clearCounts();

private:
    QGroupBox* buildKeyFigures();
    void buildCommands(QVBoxLayout* column);
    QGroupBox* buildDuplicates();
    QTableView* buildSchedule();
    void buildPairings(QVBoxLayout* column);
    // A schedule is computed while the league has none, and deleted while it has one.
    void enableCommands();
    // The match of the schedule's current row, or 0 (after telling the user) when there is none.
    tavorin::Id currentMatch() const;
    bool setPairing(tavorin::Id match, tavorin::Id home, tavorin::Id away);

    const PageContext& context;
    Widgets w;
    tavorin::models::MatchListModel* model = nullptr;
    QGroupBox* createGroup = nullptr;
    QGroupBox* deleteGroup = nullptr;
    QProgressBar* progress = nullptr;
    QLabel* duplicateReport = nullptr;
    QList<QLabel*> homeNames; // of the clicked match, in the groups to swap and to replace
    QList<QLabel*> awayNames;
    QList<tavorin::Id> duplicates; // matches the last check found, until they are reduced
    int firstRoundDays = 0;
};
