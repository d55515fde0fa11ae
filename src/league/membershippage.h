#pragma once

#include "app/pagecontext.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QLineEdit;
class QTableView;
class QToolButton;

namespace tavorin::models {
class NameFilterProxy;
class PlayerListModel;
} // namespace tavorin::models

// The page "Zuordnung": the pool of players without a league (with a search field), the arrows, and the
// members of the league chosen above them. Several players move at once.
class MembershipPage : public QWidget {
    Q_OBJECT

public:
    MembershipPage(const PageContext& context, QWidget* parent = nullptr);

    struct Widgets {
        QComboBox* league = nullptr; // zuordnungLigaComboBox; currentIndexChanged -> LigaZuordnungFuellen
        QTableView* pool = nullptr;  // spielerpoolTableWidget; doubleClicked -> ZuordnungEintragen
        QLineEdit* search = nullptr;
        QTableView* members = nullptr;       // mitgliederTableWidget; doubleClicked -> ZuordnungAustragen
        QToolButton* assign = nullptr;       // ZuordnungEintragen
        QToolButton* remove = nullptr;       // ZuordnungAustragen
        QPushButton* withdraw = nullptr;     // "Rückzug...": withdraw()
        QPushButton* undoWithdraw = nullptr; // "Rückzug aufheben": undoWithdrawal()
        QLabel* withdrawn = nullptr;         // the league's withdrawn players and their rules
    };
    const Widgets& ui() const { return w; }

    void setListed(bool shown); // the pool follows changes only while shown
    void reloadPool();
    void fillMembers(); // LigaZuordnungFuellen
    void assign();      // ZuordnungEintragen
    void remove();      // ZuordnungAustragen
    // The chosen member leaves the league by the rule the organiser picks, or comes back.
    void withdraw();
    void undoWithdrawal();

private:
    tavorin::Id chosenMember() const; // the one chosen member's player id; 0 (and a message) otherwise
    void showWithdrawals();

    const PageContext& context;
    Widgets w;
    tavorin::models::PlayerListModel* poolModel = nullptr;
    tavorin::models::NameFilterProxy* poolProxy = nullptr;
    tavorin::models::PlayerListModel* memberModel = nullptr;
};
