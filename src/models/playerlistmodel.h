#pragma once

#include "db/leaguesession.h"
#include "models/rowtablemodel.h"

#include <QStringList>

namespace tavorin::models {

// The players of the register, of the pool (players without a league) or of one league. Columns: the id
// (the player's; the assignment's in a league's list), the first name and the second name. IdRole gives the
// player's id, AssignmentRole the assignment's.
class PlayerListModel : public RowTableModel<Member> {
    Q_OBJECT

public:
    enum class Source { AllPlayers, Pool, League };

    PlayerListModel(db::LeagueSession& session, Source source, const QStringList& headers, QObject* parent = nullptr);

    // The league a League list shows.
    void setLeague(Id league);
    Id league() const { return shownLeague; }
    // Reads the list anew; false (and the rows kept) when the read failed.
    bool reload();
    // A long list that no view shows need not follow every change: while inactive it only notes that it is
    // out of date, and reads itself anew when it becomes active again.
    void setActive(bool active);

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

protected:
    qint64 key(const Member& row) const override { return source == Source::League ? row.assignment : row.player; }

private:
    void apply(const db::StoreChange& change);
    // The register after a change of these players only: each one read again.
    void refreshPlayers(const QList<Id>& players);
    QList<Member> read() const;

    db::LeagueSession& session;
    const Source source;
    const QStringList headers;
    Id shownLeague = 0;
    bool active = true;
    bool stale = true; // not read yet, or changed while inactive
};

} // namespace tavorin::models
