#include "standingsmodel.h"

#include "app/textescape.h"

namespace tavorin::models {

namespace {

// The cells of a withdrawn player after his name: he is listed, not ranked.
QStringList withdrawnCells() {
    return {QString::fromUtf8("zurückgezogen")};
}

} // namespace

StandingsModel::StandingsModel(db::LeagueSession& session, Kind kind, const QStringList& headers, QObject* parent)
    : RowTableModel<StandingsRow>(parent), session(session), kind(kind), headers(headers) {
    connect(&session, &db::LeagueSession::changed, this, [this](const db::StoreChange& change) {
        using C = db::StoreChange;
        if (change.concernsLeague(shown, C::Players | C::Members | C::Results))
            reload();
    });
}

void StandingsModel::setLeague(Id league, const Points& counting) {
    const bool same = league == shown;
    shown = league;
    points = counting;
    const QList<StandingsRow> fresh = read();
    if (session.store().readsFailing())
        return;
    if (same)
        sync(fresh); // the same league again: only what changed is redrawn
    else
        resetRows(fresh);
}

bool StandingsModel::reload() {
    const QList<StandingsRow> fresh = read();
    if (session.store().readsFailing())
        return false;
    sync(fresh);
    return true;
}

QList<StandingsRow> StandingsModel::read() const {
    QList<StandingsRow> out;
    db::LeagueStore& store = session.store();
    if (kind == Kind::LeagueTable) {
        for (const LeagueTableRow& r : store.rankedLeagueTable(shown, points))
            out.append({r.playerId.toLongLong(), QStringList{standingsName(r.name1, r.name2)} +
                                                     (r.withdrawn ? withdrawnCells() : leagueTableFigures(r))});
    } else {
        for (const StatisticsRow& r : store.statistics(shown))
            out.append({r.playerId.toLongLong(), QStringList{standingsName(r.name1, r.name2)} +
                                                     (r.withdrawn ? withdrawnCells() : statisticsFigures(r))});
    }
    return out;
}

int StandingsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(headers.size());
}

QVariant StandingsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return QVariant();
    const StandingsRow& r = row(index.row());
    switch (role) {
    case Qt::DisplayRole: // names are shown as every output shows them, without control or bidi characters
        return safeName(r.cells.value(index.column()));
    case Qt::TextAlignmentRole:
        return QVariant(Qt::AlignCenter);
    case IdRole:
        return r.player;
    default:
        return QVariant();
    }
}

QVariant StandingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < headers.size())
        return headers[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace tavorin::models
