#include "matchlistmodel.h"

#include "app/textescape.h"

namespace tavorin::models {

MatchListModel::MatchListModel(db::LeagueSession& session, Kind kind, const QStringList& headers, bool secondNames,
                               QObject* parent)
    : RowTableModel<Match>(parent), session(session), kind(kind), headers(headers), secondNames(secondNames) {
    connect(&session, &db::LeagueSession::changed, this, &MatchListModel::apply);
}

void MatchListModel::setSecondNames(bool second) {
    if (second == secondNames)
        return;
    secondNames = second;
    if (rowCount() > 0)
        emit dataChanged(index(0, 2), index(rowCount() - 1, 3));
}

void MatchListModel::showSchedule(Id l) {
    show(Mode::Schedule, l, 0, 0);
}

void MatchListModel::showMatchDay(Id l, int d) {
    show(Mode::Day, l, d, 0);
}

void MatchListModel::showPlayer(Id p) {
    show(Mode::Player, 0, 0, p);
}

void MatchListModel::clear() {
    mode = Mode::None;
    league = 0;
    day = 0;
    player = 0;
    resetRows({});
}

void MatchListModel::show(Mode m, Id l, int d, Id p) {
    const bool same = m == mode && l == league && d == day && p == player;
    mode = m;
    league = l;
    day = d;
    player = p;
    const QList<Match> fresh = read();
    if (session.store().readsFailing())
        return;
    if (same)
        sync(fresh); // the same list again: rows that stay keep their selection
    else
        resetRows(fresh);
}

bool MatchListModel::reload() {
    const QList<Match> fresh = read();
    if (session.store().readsFailing())
        return false;
    sync(fresh);
    return true;
}

QList<Match> MatchListModel::read() const {
    db::LeagueStore& store = session.store();
    switch (mode) {
    case Mode::Schedule:
        return store.schedule(league);
    case Mode::Day:
        return store.matchesOfDay(league, day);
    case Mode::Player:
        return store.matchesOfPlayer(player);
    case Mode::None:
        break;
    }
    return {};
}

bool MatchListModel::showsAnyOf(const QList<Id>& players) const {
    if (players.isEmpty())
        return true; // not told which: any may be
    for (const Match& m : rows()) {
        if (players.contains(m.home) || players.contains(m.away))
            return true;
    }
    return mode == Mode::Player && players.contains(player);
}

void MatchListModel::apply(const db::StoreChange& change) {
    using C = db::StoreChange;
    if (mode == Mode::None)
        return;
    const bool anyLeague = mode == Mode::Player; // a player's matches lie in any league
    const bool schedule = change.concerns(C::Schedule) && (anyLeague || change.concernsLeague(league, C::Schedule));
    const bool names = change.concerns(C::Players) && showsAnyOf(change.players);
    if (schedule || names || (change.allLeagues && change.concerns(C::Results))) {
        reload();
        return;
    }
    if (kind != Kind::Results || !change.concerns(C::Results))
        return;
    // A result changes the row of its match only.
    QList<Id> ids;
    for (const C::MatchRef& ref : change.matches) {
        if (rowOfMatch(ref.id) >= 0)
            ids.append(ref.id);
    }
    if (ids.isEmpty())
        return;
    const QList<Match> fresh = session.store().listedMatches(ids);
    if (session.store().readsFailing())
        return;
    for (const Match& m : fresh) {
        if (const int at = rowOfMatch(m.id); at >= 0)
            replaceRow(at, m);
    }
}

int MatchListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : (kind == Kind::Results ? 7 : 6);
}

QVariant MatchListModel::text(const Match& m, int column) const {
    const bool second = kind == Kind::Results && secondNames;
    switch (column) {
    case 0:
        return QString::number(m.id);
    case 1:
        return QString::number(m.day);
    case 2: // names are shown as every output shows them, without control or bidi characters
        return safeName(second ? m.home2 : m.home1);
    case 3:
        return safeName(second ? m.away2 : m.away1);
    case 4:
        return QString::number(m.home);
    case 5:
        return QString::number(m.away);
    default:
        return m.played ? QString::number(m.homeLegs) + QLatin1Char(':') + QString::number(m.awayLegs) : QString();
    }
}

QVariant MatchListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return QVariant();
    const Match& m = row(index.row());
    const int column = index.column();
    const bool shown = column != 0 && column != 4 && column != 5; // the ids are hidden
    switch (role) {
    case Qt::DisplayRole:
        return text(m, column);
    case Qt::TextAlignmentRole:
        return shown ? QVariant(Qt::AlignCenter) : QVariant();
    case IdRole:
        return m.id;
    case PlayedRole:
        return kind == Kind::Results && m.played && shown; // the window marks these cells
    case PlayerRole:
        return column == 2 ? QVariant(m.home) : column == 3 ? QVariant(m.away) : QVariant();
    case PlatformNameRole:
        return column == 2 ? QVariant(m.home2) : column == 3 ? QVariant(m.away2) : QVariant();
    default:
        return QVariant();
    }
}

QVariant MatchListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < headers.size())
        return headers[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace tavorin::models
