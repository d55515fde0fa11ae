#pragma once

#include "import/batchimport.h"
#include "import/platformreplies.h"

#include <QList>
#include <QObject>

class QNetworkAccessManager;

namespace tavorin {

class PlatformFetch;

// Fetches many games, at most `parallel` at a time, each within the time limit of the addresses. While
// games of both platforms wait, neither platform takes more than half of the places, so that a slow or
// silent server does not hold up the other one. Every game started ends with one arrived(), unless the
// fetching is cancelled; finished() follows the last one, and cancel().
class BatchFetch : public QObject {
    Q_OBJECT

public:
    static constexpr int parallel = 4;

    explicit BatchFetch(QNetworkAccessManager* manager, QObject* parent = nullptr);
    ~BatchFetch() override;

    // Fetches the game of every link of `links` that is the first one to its game; fetching still running is
    // cancelled first.
    void start(const QList<batchimport::FoundLink>& links, const PlatformAddresses& addresses);
    // Stops the fetches still running and starts no more; what has arrived stays arrived.
    void cancel();
    bool isRunning() const { return running; }
    int gameCount() const { return int(games.size()); }
    int arrivedCount() const { return arrivedGames; }

signals:
    // The game of link `link` of the list given to start() has arrived (or failed, as the values say).
    void arrived(int link, const tavorin::ImportedValues& values);
    void finished();

private:
    struct Place {
        PlatformFetch* fetch = nullptr;
        int index = -1; // the game it fetches, -1 while free
    };
    void startMore();
    // The next waiting game that may start now, or -1.
    int nextGame() const;
    int runningOn(ImportPlatform platform) const;
    void done(Place& place, const ImportedValues& values);

    QNetworkAccessManager* const manager;
    QList<Place> places;
    QList<batchimport::FoundLink> games;
    QList<int> linkOf; // of each game, the index of its link
    PlatformAddresses addresses;
    int nextWaiting = 0; // games before it have been started
    QList<bool> started;
    int arrivedGames = 0;
    bool running = false;
};

} // namespace tavorin
