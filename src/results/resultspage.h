#pragma once

#include "app/pagecontext.h"
#include "import/platformreplies.h"

#include <QPointer>
#include <QWidget>

class QComboBox;
class QGroupBox;
class QNetworkAccessManager;
class QPushButton;
class QTableView;
class ResultForm;
class ImportWindow;

namespace tavorin::models {
class MatchListModel;
}

// The page "Ergebnisse": the league and match-day selectors, "Alle Spiele von…" a member, the import
// buttons, the results list (by match day or by player) and the result form.
class ResultsPage : public QWidget {
    Q_OBJECT

public:
    ResultsPage(const PageContext& context, QNetworkAccessManager* network, QWidget* parent = nullptr);

    struct Widgets {
        QComboBox* league = nullptr;     // ergebnisseLigaComboBox -> comboErgSTLaden, comboEinzelLaden
        QComboBox* matchDay = nullptr;   // spieltagComboBox -> tabelleNachSpielstandFuellen, EingabeDeaktivieren
        QComboBox* player = nullptr;     // einzelSpielerComboBox
        QPushButton* byPlayer = nullptr; // spieleAuswaehlenButton -> tabelleNachSpielerFuellen
        QGroupBox* importGroup = nullptr;
        QPushButton* prodarter = nullptr; // FensterWerteImportieren(Prodarter)
        QPushButton* lidarts = nullptr;   // FensterWerteImportieren(Lidarts)
        QPushButton* batch = nullptr;     // linksImportierenButton -> openBatchImport
        QTableView* results = nullptr;    // ergebnisseTableWidget; clicked -> tabelleErgSTanklicken
        ResultForm* form = nullptr;
    };
    const Widgets& ui() const { return w; }

    void fillMatchDays(); // comboErgSTLaden: the first day chosen, the list and the form follow
    void fillPlayers();   // comboEinzelLaden: the chosen player stays chosen while listed
    void showByDay();     // tabelleNachSpielstandFuellen
    void showByPlayer();  // tabelleNachSpielerFuellen
    void fillResults();   // tabelleErgSTFuellen: the list in its mode
    void loadMatch();     // tabelleErgSTanklicken: the current row into the form
    void disableForm();   // EingabeDeaktivieren
    void save();          // ErgebnisEintragen
    // After a change of the league: new match days are chosen anew; otherwise the match in the form is
    // loaded again, or the form closed when it is no longer listed.
    void followChange(const tavorin::db::StoreChange& change);
    // Forgets what the page showed (a league connected or restored): selectors, form and import group.
    void clear();

    void openImport(tavorin::ImportPlatform platform); // FensterWerteImportieren
    void fetchImport();                                // ImportWerteHolen
    void takeOverImport();                             // ImportierteWerteEintragen
    // "Ergebnisse aus Links importieren...": many games of the chosen league at once.
    void openBatchImport();

private:
    QWidget* buildSelectors(); // the column of the selectors and the import group
    // The import group offers the two single imports while a match is in the form, the batch import always.
    void showSingleImport(bool shown);
    QTableView* buildList();
    void showMatchDays(const QList<int>& days);
    QList<int> shownMatchDays() const;
    // Makes the row of the match in the form current, unless the current row shows it; its row, or -1 when
    // the form holds no match or the list does not show it.
    int selectFormMatch();
    // Loads the form's match again, or closes the form when the match is gone.
    void reloadForm();
    bool reimportConfirmed(const QString& platform, const QString& gameId);

    const PageContext& context;
    QNetworkAccessManager* network;
    Widgets w;
    tavorin::models::MatchListModel* model = nullptr;
    bool byPlayer = false;               // the list shows the chosen player's matches, else the match day's
    QPointer<ImportWindow> importWindow; // while it is open
};
