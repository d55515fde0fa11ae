#pragma once

#include "connection.h"
#include "leaguetypes.h"
#include "storechange.h"

#include "app/settings.h"
#include "export/forumcode.h"
#include "league/schedule.h"
#include "results/resultentry.h"
#include "results/season.h"
#include "results/standings.h"
#include "results/withdrawal.h"

#include <QObject>
#include <QStringList>

#include <functional>

namespace tavorin::db {

// The one way to the league data: every read and write of the program in its own terms. Implementations
// hold the statements of one kind of database.
//
// Reads return values. A read that fails is announced once through readFailed(); until control returns to
// the event loop later reads fail at once with the same reason (readsFailing()), so a chain of views that
// refill each other costs one wait and one message, and a view leaves what it shows as it was.
//
// Writes run in one transaction each: all of it or nothing. After the commit changed() tells what the write
// changed. Several writes inside transaction() commit together and are announced once.
class LeagueStore : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Where the league lives, as the window title names it.
    virtual QString location() const = 0;
    // Whether this program may change the league; a server league tells by the user's rights.
    virtual bool mayWrite() { return true; }

    // Keeps the league open while it lives, so that a round of reads and writes opens it once (a league
    // file is otherwise opened for each operation and closed after it).
    class Hold {
    public:
        explicit Hold(LeagueStore& store) : store(store), status(store.acquire()) {}
        ~Hold() {
            if (status)
                store.release();
        }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;
        const Result& result() const { return status; }

    private:
        LeagueStore& store;
        Result status;
    };

    bool readsFailing() const { return failing; }
    // Lets reads fail at once with `failure` until control returns to the event loop: for a failure the
    // caller has reported itself, such as a league that cannot be opened.
    void holdFailure(const Result& failure);

    // --- players, leagues, membership ---
    // Sorted by the second name without regard to case.
    virtual QList<Player> players() = 0;
    // Players without any assignment.
    virtual QList<Player> poolPlayers() = 0;
    virtual Player player(Id id) = 0;
    // Sorted by name without regard to case.
    virtual QList<League> leagues() = 0;
    // A league's members sorted by the second name without regard to case.
    virtual QList<Member> members(Id league) = 0;
    // A league's members sorted by the first name, as the results page offers them.
    virtual QList<Member> membersByFirstName(Id league) = 0;
    // Player ids of the league's members in the order they were assigned, which the schedule is computed from.
    virtual QList<Id> memberIdsInOrder(Id league) = 0;
    // Assignments of the league, counted also when the player row is gone.
    virtual int memberCount(Id league) = 0;
    // The names of the existing leagues the player is assigned to.
    virtual QStringList leaguesOfPlayer(Id player) = 0;
    // Where the player still takes part in the leagues' matches.
    virtual PlayerUse playerUse(Id player) = 0;
    // The first names of the members among `assignments` who play a match in their league's schedule, in the
    // order given.
    virtual QStringList membersWithMatches(const QList<Id>& assignments) = 0;
    // Whether a player has this forum name or this platform name, without regard to case.
    virtual bool nameTaken(const QString& name1, const QString& name2) = 0;

    // --- schedule and results ---
    // The league's matches by match day.
    virtual QList<Match> schedule(Id league) = 0;
    // The match days of the league's schedule, ascending.
    virtual QList<int> matchDays(Id league) = 0;
    // The matches of one match day, and every match of one player, with the home player's stored legs.
    virtual QList<Match> matchesOfDay(Id league, int day) = 0;
    virtual QList<Match> matchesOfPlayer(Id player) = 0;
    // The same rows for the matches `ids`, as matchesOfDay gives them; a match that is gone gives none.
    virtual QList<Match> listedMatches(const QList<Id>& ids) = 0;
    // The matches of the league that have stored results.
    virtual int playedMatchCount(Id league) = 0;
    // The stored result rows of a match.
    virtual QList<resultentry::StoredSide> results(Id match) = 0;
    // The match as it is now; a match that is gone does not exist.
    virtual MatchState matchState(Id match) = 0;
    // The first match (by match day) other than `exceptMatch` whose results hold game `hash` of `platform`.
    virtual resultentry::MatchWithGame matchWithGame(const QString& platform, const QString& hash, Id exceptMatch) = 0;
    // Every match of the league by match day and id, with both players' names; here `played` tells that the
    // match has stored result rows (whatever their legs), and the legs stay 0.
    virtual QList<Match> leagueMatches(Id league) = 0;
    // Every game stored with a result of any league, each once.
    virtual QList<ImportedGame> importedGames() = 0;
    // The whole schedule with both players' result records, for the schedule code.
    virtual QList<ScheduleMatch> scheduleForExport(Id league) = 0;

    // --- standings ---
    // Ranked by points, then leg difference, then legs won; members without results last. Results of matches
    // that a league's rule annuls are left out, and those of a finished season's league but in its own table.
    virtual QList<LeagueTableRow> leagueTable(Id league) = 0;
    // The league table as the league counts it: with the walkovers of withdrawn players (legs and points of
    // `points`), in the order `points` asks for, withdrawn players last.
    QList<LeagueTableRow> rankedLeagueTable(Id league, const Points& points);
    virtual QList<MatchPoints> playedMatches(Id league) = 0;
    // Ranked by best leg, then highest finish; without annulled matches, withdrawn players last.
    virtual QList<StatisticsRow> statistics(Id league) = 0;
    // Every stored result of the league's matches; countedResults() without annulled matches, with walkovers.
    virtual QList<season::PlayedResult> seasonResults(Id league) = 0;
    QList<season::PlayedResult> countedResults(Id league, const Points& points);

    // --- players withdrawn during the season ---
    // In the order they withdrew, with their names.
    virtual QList<withdrawal::Withdrawal> withdrawals(Id league) = 0;
    // The league's matches without any stored result, by match day (only id, day and players are read).
    virtual QList<Match> openMatches(Id league) = 0;

    // Whether `table` of the league has a column of this name (letter case does not count).
    virtual bool hasColumn(const QString& table, const QString& column) = 0;

    // --- the duplicate check ---
    // Matches with more than two result rows.
    virtual QList<Id> duplicateMatches() = 0;

    // --- writes ---
    // A write that depends on what the organiser saw checks it inside its transaction and is refused
    // (Result::conflict, with what happened) when another organiser changed it meanwhile.
    virtual Result addPlayer(const QString& name1, const QString& name2, Id* id = nullptr) = 0;
    // `expected`, when given: the player as the organiser picked him.
    virtual Result updatePlayer(Id player, const QString& name1, const QString& name2,
                                const Player* expected = nullptr) = 0;
    // Refused while the player is a member or plays in a schedule or has results.
    virtual Result deletePlayer(Id player) = 0;
    virtual Result addLeague(const QString& name, Id* id = nullptr) = 0;
    virtual Result renameLeague(Id league, const QString& name) = 0;
    // Refused while the league has members.
    virtual Result deleteLeague(Id league) = 0;
    // Assigns every player of `players` to the league; refused when one of them is no longer in the pool.
    virtual Result assignPlayers(const QList<Id>& players, Id league) = 0;
    // Refused when one of the members plays a match in his league's schedule.
    virtual Result removeAssignments(const QList<Id>& assignments) = 0;
    // Stores computed rows; `afterEach`, when given, is told the index of every row stored. Refused when the
    // league has a schedule already.
    virtual Result storeSchedule(Id league, const QList<ScheduleRow>& rows,
                                 const std::function<void(qsizetype)>& afterEach = {}) = 0;
    // `played`, when not negative: the number of played matches the organiser was told of.
    virtual Result deleteSchedule(Id league, int played = -1) = 0;
    // Sets the home and away player of one match (swap and replacement alike).
    // `expected`, when given: the match as the organiser saw it.
    virtual Result setPairing(Id match, Id home, Id away, const MatchState* expected = nullptr) = 0;
    // Stores both sides of a match's result from the form's texts; `expected`, when given: the match as the
    // form loaded it, and after a save the match as saved.
    virtual Result saveResult(const resultentry::SaveContext& context, const resultentry::SideTexts& left,
                              const resultentry::SideTexts& right, const Points& points,
                              MatchState* expected = nullptr) = 0;
    // Stores the results of matches that have none, each like saveResult, all in one transaction; refused
    // (Result::conflict) when one of the matches has results meanwhile or other players, and then none is
    // stored.
    virtual Result saveNewResults(const QList<resultentry::NewResult>& results, const Points& points) = 0;
    // Removes the results of every league.
    virtual Result deleteAllResults() = 0;
    // Reduces each of the matches to two result rows: the first row and the first row of another player stay.
    virtual Result deleteDuplicateResults(const QList<Id>& matches) = 0;

    // Withdraws a member of the league from match day `fromDay` on by `rule`, replacing an earlier rule of his;
    // refused when he is no member. Stored results stay.
    virtual Result withdraw(Id league, Id player, int fromDay, withdrawal::Rule rule) = 0;
    virtual Result undoWithdrawal(Id league, Id player) = 0;
    // For a new season: takes each player out of every league he is assigned to and assigns him to `league`
    // (0: to none, into the pool). His matches and results stay where they are.
    virtual Result moveMembers(const QList<Id>& players, Id league) = 0;
    // Notes that the season of `league` ended and `successor` follows it: results of its matches count in its
    // own table only, no longer in the tables of the leagues its players move to; its standings list the
    // players of its schedule.
    virtual Result finishLeague(Id league, Id successor) = 0;

    // Runs `work` (writes of this store) in one transaction: committed and announced once when it succeeds,
    // rolled back when it or a write in it fails.
    Result transaction(const std::function<Result()>& work);

signals:
    void changed(const tavorin::db::StoreChange& change);
    void readFailed(const tavorin::db::Result& failure);

protected:
    // Opens the connection unless it is open, counting the users; release() closes it after the last one.
    virtual Result acquire() = 0;
    virtual void release() = 0;
    // The frame of every write: begin (or join the running transaction), commit, announce.
    virtual Result begin() = 0;
    virtual Result commit() = 0;
    virtual void rollback() = 0;
    // Why a transaction failed, when `failure` is only a consequence of an earlier failure inside it.
    virtual Result rootCause(const Result& failure) const { return failure; }
    // Runs `work` as one write, adding what it changed to `change` of the running transaction. A transaction
    // that the server gives up for a conflict with another one is tried once more.
    Result write(const std::function<Result(StoreChange&)>& work);
    // Just before the commit of a transaction that changed something: a league on a server tells the other
    // programs connected to it.
    virtual Result announce(const StoreChange& change) {
        Q_UNUSED(change);
        return {};
    }

    // Told of every failed read and of every write that was rolled back, once nothing of it is open any more:
    // a league on a server looks whether its connection broke, and marks `failure` so.
    virtual void failed(Result& failure) { Q_UNUSED(failure); }
    // Called by implementations for a failed read; returns `failure`.
    Result readFailure(const Result& failure);
    // The failure reads give at once while readsFailing().
    const Result& heldFailure() const { return lastFailure; }
    // Called after a successful commit: the file answers again.
    void readsWork() { failing = false; }

private:
    Result writeOnce(const std::function<Result(StoreChange&)>& work);

    bool failing = false;
    Result lastFailure;
    int depth = 0;       // nesting of running transactions
    Result firstFailure; // of a write inside the running transaction, which then is rolled back
    StoreChange pending;
};

} // namespace tavorin::db
