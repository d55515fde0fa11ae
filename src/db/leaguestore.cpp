#include "leaguestore.h"

#include <QTimer>

namespace tavorin::db {

void LeagueStore::holdFailure(const Result& failure) {
    failing = true;
    lastFailure = failure;
    QTimer::singleShot(0, this, [this] { failing = false; });
}

Result LeagueStore::readFailure(const Result& failure) {
    if (failing)
        return failure;
    // Reads fail at once while the message is shown too; the time to try again starts after it.
    failing = true;
    lastFailure = failure;
    emit readFailed(failure);
    holdFailure(failure);
    return failure;
}

QList<LeagueTableRow> LeagueStore::rankedLeagueTable(Id league, const Points& points) {
    const Hold open(*this);
    QList<LeagueTableRow> rows = leagueTable(league);
    const QList<withdrawal::Withdrawal> out = readsFailing() ? QList<withdrawal::Withdrawal>() : withdrawals(league);
    if (out.isEmpty()) {
        if (points.reihenfolge != TieBreak::HeadToHead || readsFailing())
            return rows;
        return rankHeadToHead(rows, playedMatches(league));
    }
    const QList<withdrawal::Walkover> walkovers = withdrawal::walkovers(openMatches(league), out);
    const QList<MatchPoints> played =
        points.reihenfolge == TieBreak::HeadToHead ? playedMatches(league) : QList<MatchPoints>();
    return withdrawal::countedTable(rows, played, walkovers, out, points);
}

QList<season::PlayedResult> LeagueStore::countedResults(Id league, const Points& points) {
    const Hold open(*this);
    const QList<season::PlayedResult> results = seasonResults(league);
    const QList<withdrawal::Withdrawal> out = readsFailing() ? QList<withdrawal::Withdrawal>() : withdrawals(league);
    if (out.isEmpty())
        return results;
    return withdrawal::countedResults(results, schedule(league), withdrawal::walkovers(openMatches(league), out), out,
                                      points);
}

Result LeagueStore::transaction(const std::function<Result()>& work) {
    return write([&](StoreChange&) { return work(); });
}

Result LeagueStore::write(const std::function<Result(StoreChange&)>& work) {
    Result r = writeOnce(work);
    if (depth == 0 && !r && r.retryable) {
        r = writeOnce(work);
        if (!r && r.retryable) {
            r.conflict = true;
            r.error = QString::fromUtf8("Ein anderer Organisator hat gleichzeitig dieselben Daten ge\u00e4ndert; "
                                        "nichts wurde gespeichert. Bitte versuchen Sie es noch einmal.\n") +
                      r.error;
        }
    }
    return r;
}

Result LeagueStore::writeOnce(const std::function<Result(StoreChange&)>& work) {
    if (depth == 0) {
        if (failing && lastFailure.locked)
            return lastFailure; // the lock has been waited for and reported in this turn already
        if (Result r = begin(); !r) {
            failed(r);
            return r;
        }
        pending = {};
        firstFailure = {};
    }
    ++depth;
    StoreChange change;
    Result r = work(change);
    --depth;
    if (r)
        pending.merge(change);
    else if (firstFailure)
        firstFailure = r; // one failed write undoes the whole transaction
    if (depth > 0)
        return r;
    if (firstFailure) {
        if (!pending.isEmpty())
            r = announce(pending);
        if (r)
            r = commit();
        if (r) {
            readsWork();
            const StoreChange done = std::exchange(pending, {});
            if (!done.isEmpty())
                emit changed(done);
            return r;
        }
    }
    rollback();
    pending = {};
    Result failure = rootCause(r.ok ? firstFailure : r);
    failed(failure);
    return failure;
}

} // namespace tavorin::db
