#include "leaguesession.h"

#include "sqlitestore.h"

namespace tavorin::db {

LeagueSession::LeagueSession(QObject* parent) : QObject(parent) {
    replace(std::make_unique<SqliteStore>());
}

LeagueSession::~LeagueSession() = default;

void LeagueSession::replace(std::unique_ptr<LeagueStore> store) {
    if (current)
        current->disconnect(this);
    current = std::move(store);
    connect(current.get(), &LeagueStore::changed, this, &LeagueSession::changed);
    connect(current.get(), &LeagueStore::readFailed, this, &LeagueSession::readFailed);
    emit replaced();
}

} // namespace tavorin::db
