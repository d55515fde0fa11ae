#pragma once

#include "leaguestore.h"

#include <QObject>

#include <memory>

namespace tavorin::db {

// The league the program works on: it owns the current league store and passes on its announcements, so
// that views and models stay connected while the window switches to another league file or server.
class LeagueSession : public QObject {
    Q_OBJECT

public:
    explicit LeagueSession(QObject* parent = nullptr);
    ~LeagueSession() override;

    LeagueStore& store() const { return *current; }
    // Makes `store` the current one; the previous store is destroyed. Announces replaced().
    void replace(std::unique_ptr<LeagueStore> store);
    // The current store as `T`, or none when it is of another kind.
    template <typename T> T* storeAs() const { return qobject_cast<T*>(current.get()); }

signals:
    void changed(const tavorin::db::StoreChange& change);
    void readFailed(const tavorin::db::Result& failure);
    // Another league became current: every view shows it anew.
    void replaced();

private:
    std::unique_ptr<LeagueStore> current;
};

} // namespace tavorin::db
