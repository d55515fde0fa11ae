#include "playerlistmodel.h"

#include "app/textescape.h"

namespace tavorin::models {

PlayerListModel::PlayerListModel(db::LeagueSession& session, Source source, const QStringList& headers, QObject* parent)
    : RowTableModel<Member>(parent), session(session), source(source), headers(headers) {
    connect(&session, &db::LeagueSession::changed, this, &PlayerListModel::apply);
}

void PlayerListModel::setLeague(Id league) {
    shownLeague = league;
    const QList<Member> fresh = read();
    if (!session.store().readsFailing())
        resetRows(fresh);
}

bool PlayerListModel::reload() {
    if (!active) {
        stale = true;
        return true;
    }
    const QList<Member> fresh = read();
    if (session.store().readsFailing())
        return false;
    sync(fresh);
    stale = false;
    return true;
}

void PlayerListModel::setActive(bool on) {
    active = on;
    if (active && stale)
        reload(); // stays out of date when the read fails, to be read at the next chance
}

QList<Member> PlayerListModel::read() const {
    db::LeagueStore& store = session.store();
    if (source == Source::League)
        return store.members(shownLeague);
    QList<Member> out;
    for (const Player& p : source == Source::Pool ? store.poolPlayers() : store.players())
        out.append({0, p.id, p.name1, p.name2});
    return out;
}

void PlayerListModel::apply(const db::StoreChange& change) {
    using C = db::StoreChange;
    if (!active) {
        stale = stale || change.concerns(C::Players | C::Members);
        return;
    }
    if (source == Source::AllPlayers) {
        if (change.concerns(C::Players))
            refreshPlayers(change.players);
    } else if (source == Source::Pool ? change.concerns(C::Players | C::Members)
                                      : change.concernsLeague(shownLeague, C::Players | C::Members)) {
        reload();
    }
}

void PlayerListModel::refreshPlayers(const QList<Id>& players) {
    if (players.isEmpty()) {
        reload();
        return;
    }
    for (Id id : players) {
        const Player p = session.store().player(id);
        if (session.store().readsFailing())
            return;
        const int at = indexOfId(id);
        if (p.id == 0 && at >= 0)
            removeRowAt(at);
        else if (p.id != 0 && at >= 0)
            replaceRow(at, {0, p.id, p.name1, p.name2});
        else if (p.id != 0)
            appendRow({0, p.id, p.name1, p.name2}); // a view sorts it into its place
    }
}

int PlayerListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant PlayerListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return QVariant();
    const Member& m = row(index.row());
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == 0)
            return QString::number(source == Source::League ? m.assignment : m.player);
        // Names are shown as every output shows them, without control or bidi characters.
        return safeName(index.column() == 1 ? m.name1 : m.name2);
    case IdRole:
        return m.player;
    case AssignmentRole:
        return m.assignment;
    default:
        return QVariant();
    }
}

QVariant PlayerListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < headers.size())
        return headers[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace tavorin::models
