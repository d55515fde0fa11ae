#include "import/batchfetch.h"

#include "import/platformfetch.h"

namespace tavorin {

BatchFetch::BatchFetch(QNetworkAccessManager* manager, QObject* parent) : QObject(parent), manager(manager) {
    for (int i = 0; i < parallel; ++i)
        places.append({new PlatformFetch(manager, this), -1});
    for (int i = 0; i < parallel; ++i) {
        connect(places[i].fetch, &PlatformFetch::finished, this,
                [this, i](const ImportedValues& values) { done(places[i], values); });
    }
}

BatchFetch::~BatchFetch() {
    for (Place& place : places)
        place.fetch->abort();
}

void BatchFetch::start(const QList<batchimport::FoundLink>& links, const PlatformAddresses& given) {
    cancel();
    games.clear();
    linkOf.clear();
    for (int i = 0; i < links.size(); ++i) {
        if (links[i].firstIndex < 0) {
            games.append(links[i]);
            linkOf.append(i);
        }
    }
    addresses = given;
    started = QList<bool>(games.size(), false);
    nextWaiting = 0;
    arrivedGames = 0;
    running = true;
    startMore();
}

void BatchFetch::cancel() {
    const bool wasRunning = running;
    running = false;
    for (Place& place : places) {
        place.fetch->abort();
        place.index = -1;
    }
    if (wasRunning)
        emit finished();
}

void BatchFetch::startMore() {
    for (Place& place : places) {
        if (place.index >= 0)
            continue;
        const int game = nextGame();
        if (game < 0)
            break;
        place.index = game;
        started[game] = true;
        place.fetch->start(games[game].platform, addresses, games[game].gameId);
    }
    while (nextWaiting < games.size() && started[nextWaiting])
        ++nextWaiting;
    if (running && arrivedGames == games.size()) {
        running = false;
        emit finished();
    }
}

int BatchFetch::nextGame() const {
    // While games of both platforms wait, each platform keeps to its half of the places.
    bool waiting[2] = {false, false};
    int first[2] = {-1, -1};
    for (int i = nextWaiting; i < games.size(); ++i) {
        const int p = int(games[i].platform);
        if (!started[i] && !waiting[p]) {
            waiting[p] = true;
            first[p] = i;
        }
    }
    int best = -1;
    for (int p = 0; p < 2; ++p) {
        const bool limited = waiting[1 - p] && runningOn(ImportPlatform(p)) >= parallel / 2;
        if (first[p] >= 0 && !limited && (best < 0 || first[p] < best))
            best = first[p];
    }
    return best;
}

int BatchFetch::runningOn(ImportPlatform platform) const {
    int count = 0;
    for (const Place& place : places)
        count += place.index >= 0 && games[place.index].platform == platform;
    return count;
}

void BatchFetch::done(Place& place, const ImportedValues& values) {
    const int index = place.index;
    place.index = -1;
    ++arrivedGames;
    emit arrived(linkOf[index], values);
    if (running)
        startMore();
}

} // namespace tavorin
