#include "leaguelistmodel.h"

#include "app/textescape.h"

namespace tavorin::models {

LeagueListModel::LeagueListModel(db::LeagueSession& session, QObject* parent)
    : RowTableModel<League>(parent), session(session) {
    connect(&session, &db::LeagueSession::changed, this, [this](const db::StoreChange& change) {
        if (change.concerns(db::StoreChange::Leagues))
            reload();
    });
}

bool LeagueListModel::reload() {
    const QList<League> fresh = session.store().leagues();
    if (session.store().readsFailing())
        return false;
    sync(fresh);
    return true;
}

int LeagueListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant LeagueListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return QVariant();
    const League& l = row(index.row());
    if (role == Qt::DisplayRole)
        return index.column() == 0 ? QString::number(l.id) : safeName(l.name);
    if (role == IdRole)
        return l.id;
    return QVariant();
}

QVariant LeagueListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return section == 0 ? QStringLiteral("id") : QStringLiteral("Liga");
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace tavorin::models
