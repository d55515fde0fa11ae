#pragma once

#include "leaguestore.h"

#include <QSqlDatabase>

class QSqlQuery;

namespace tavorin::db {

// A statement of the store: one text for both kinds of database, or one per kind where they differ.
struct Sql {
    explicit Sql(const QString& both) : sqlite(both) {}
    Sql(const QString& sqlite, const QString& postgres) : sqlite(sqlite), postgres(postgres) {}
    QString sqlite;
    QString postgres; // empty: the same as `sqlite`
};

// A standings statement that leaves out the result rows of matches which their league's rule annuls.
Sql withoutAnnulledMatches(const Sql& standings);
// The same for a league whose season is finished: the players of its schedule, its own matches only.
Sql ofFinishedLeague(const Sql& standings);

// The league store on a Qt SQL connection of its own. Every statement of the program is here; the few that
// differ between SQLite and PostgreSQL are written once for each, side by side.
class SqlStore : public LeagueStore {
    Q_OBJECT

public:
    enum class Dialect { Sqlite, Postgres };

    ~SqlStore() override;

    QList<Player> players() override;
    QList<Player> poolPlayers() override;
    Player player(Id id) override;
    QList<League> leagues() override;
    QList<Member> members(Id league) override;
    QList<Member> membersByFirstName(Id league) override;
    QList<Id> memberIdsInOrder(Id league) override;
    int memberCount(Id league) override;
    QStringList leaguesOfPlayer(Id player) override;
    bool nameTaken(const QString& name1, const QString& name2) override;
    PlayerUse playerUse(Id player) override;
    QStringList membersWithMatches(const QList<Id>& assignments) override;

    QList<Match> schedule(Id league) override;
    QList<int> matchDays(Id league) override;
    QList<Match> matchesOfDay(Id league, int day) override;
    QList<Match> matchesOfPlayer(Id player) override;
    QList<Match> listedMatches(const QList<Id>& ids) override;
    int playedMatchCount(Id league) override;
    QList<resultentry::StoredSide> results(Id match) override;
    MatchState matchState(Id match) override;
    resultentry::MatchWithGame matchWithGame(const QString& platform, const QString& hash, Id exceptMatch) override;
    QList<ScheduleMatch> scheduleForExport(Id league) override;
    QList<Match> leagueMatches(Id league) override;
    QList<ImportedGame> importedGames() override;

    QList<LeagueTableRow> leagueTable(Id league) override;
    QList<MatchPoints> playedMatches(Id league) override;
    QList<StatisticsRow> statistics(Id league) override;
    QList<season::PlayedResult> seasonResults(Id league) override;
    QList<Id> duplicateMatches() override;
    QList<withdrawal::Withdrawal> withdrawals(Id league) override;
    QList<Match> openMatches(Id league) override;

    Result addPlayer(const QString& name1, const QString& name2, Id* id = nullptr) override;
    Result updatePlayer(Id player, const QString& name1, const QString& name2,
                        const Player* expected = nullptr) override;
    Result deletePlayer(Id player) override;
    Result addLeague(const QString& name, Id* id = nullptr) override;
    Result renameLeague(Id league, const QString& name) override;
    Result deleteLeague(Id league) override;
    Result assignPlayers(const QList<Id>& players, Id league) override;
    Result removeAssignments(const QList<Id>& assignments) override;
    Result storeSchedule(Id league, const QList<ScheduleRow>& rows,
                         const std::function<void(qsizetype)>& afterEach = {}) override;
    Result deleteSchedule(Id league, int played = -1) override;
    Result setPairing(Id match, Id home, Id away, const MatchState* expected = nullptr) override;
    Result saveResult(const resultentry::SaveContext& context, const resultentry::SideTexts& left,
                      const resultentry::SideTexts& right, const Points& points,
                      MatchState* expected = nullptr) override;
    Result saveNewResults(const QList<resultentry::NewResult>& results, const Points& points) override;
    Result deleteAllResults() override;
    Result deleteDuplicateResults(const QList<Id>& matches) override;
    Result withdraw(Id league, Id player, int fromDay, withdrawal::Rule rule) override;
    Result undoWithdrawal(Id league, Id player) override;
    Result moveMembers(const QList<Id>& players, Id league) override;
    Result finishLeague(Id league, Id successor) override;

    // Matches with two result rows of one player, which a server league does not hold.
    QList<Id> doubledResults();
    // Replaces every row of this league by those of `source`, ids kept, in one transaction: a league moved to
    // a server or back, or a server league copied into a league file.
    Result copyAllFrom(SqlStore& source);

    // The statements behind some reads, for benchmarks that compare a read with its bare statement.
    enum class Query {
        Leagues,
        Members,
        MembersByFirstName,
        MemberCount,
        Schedule,
        MatchDays,
        MatchesOfDay,
        MatchesOfPlayer,
        LeagueTable,
        Statistics,
        ScheduleExport,
        HomeRecord
    };
    QString queryText(Query query) const;
    // The name of the store's own Qt SQL connection.
    const QString& connectionName() const { return name; }

protected:
    SqlStore(Dialect dialect, const QString& connectionName, QObject* parent);

    QSqlDatabase database() const;
    const QString& text(const Sql& sql) const {
        return dialect == Dialect::Postgres && !sql.postgres.isEmpty() ? sql.postgres : sql.sqlite;
    }

    Result acquire() override;
    void release() override;
    Result begin() override;
    Result commit() override;
    void rollback() override;
    Result rootCause(const Result& failure) const override;

    // Runs a read and hands every row to `take`; a failure is announced (readFailure).
    Result read(const Sql& sql, const Bindings& values, const std::function<void(const Row&)>& take);
    // The first column of the first row as a whole number; 0 when none was read.
    qint64 readNumber(const Sql& sql, const Bindings& values);
    // Runs one statement of a write on `query` (prepared anew only when its text changed).
    Result run(QSqlQuery& query, const Sql& sql, const Bindings& values);
    // Runs `looks` (reads with look()) as one read of the league: in one opening, with a failure reported and
    // latched as any read's. False when it failed.
    bool readTogether(const std::function<Result()>& looks);
    // A read inside a write: no latch, no announcement of a failure (the write reports it).
    Result look(const Sql& sql, const Bindings& values, const std::function<void(const Row&)>& take);
    qint64 lookNumber(const Sql& sql, const Bindings& values, Result* status);
    // An INSERT that gives the new row's id.
    Result insert(const Sql& sql, const Bindings& values, Id* id);
    // Reads `match`'s league and match day, for the announcement of a write that concerns it.
    StoreChange::MatchRef matchRef(Id match);
    // Inside a write: the match as it is, to compare with what the organiser saw.
    MatchState readMatchState(Id match, Result* status);
    // Where the player still takes part (as playerUse()) and, when `leagues` is given, the leagues he is a
    // member of (as leaguesOfPlayer()), read inside a running operation.
    Result lookPlayerUse(Id player, PlayerUse& use, QStringList* leagues);

    // How the connection is opened and closed; the league file is opened for each operation.
    virtual Result openConnection();
    virtual void closeConnection();
    // The league changed: whether it has the tables of withdrawals and seasons is to be looked at again.
    void forgetSeasonTables() { seasonTables = -1; }
    // Runs before every read and write: a league file that was locked when it became current is checked.
    virtual Result beforeUse() { return {}; }

    const Dialect dialect;
    const QString name; // of the store's connection

private:
    void noteFailure(const Result& r); // remembers the first failed statement of a write
    bool writing = false;              // a write transaction is open
    Result statementFailure;
    Result copyTable(SqlStore& source, const QString& table);
    struct Pairing; // a match of the schedule code with its id and players
    // Marks the matches of the schedule code that withdrawn players annul or lose without a game.
    void markWithdrawals(Id league, const QList<Pairing>& pairings, QList<ScheduleMatch>& matches);
    // The statement of a league's standings: `plain` while no league annuls the matches of a withdrawn player
    // and no season was finished, `finished` for a finished league, else `counted`.
    const Sql& standingsSql(Id league, const Sql& plain, const Sql& counted, const Sql& finished);
    // Whether the league has the tables of withdrawals and seasons (one that could not be upgraded has not).
    bool seasonTablesExist();
    int seasonTables = -1; // unknown
    QVariant storedBestLeg(const QVariant& value) const;
    // Inserts or updates both result rows of a match, the left player's on `leftRow`, the right one's on
    // `rightRow` (one query may serve both).
    Result storeResultRows(QSqlQuery& leftRow, QSqlQuery& rightRow, const resultentry::SaveContext& context,
                           const resultentry::SideTexts& left, const resultentry::SideTexts& right,
                           const Points& points);
    // After rows were copied with their ids, new rows get ids after them.
    Result restartIds();
    // After rows were copied to a server: its planner learns how many rows the tables hold.
    Result analyzeTables();

    QString otherQueryText(Query query) const;     // the register's statements
    QString standingsQueryText(Query query) const; // those of the standings

    int users = 0;
    bool openedHere = false;
};

} // namespace tavorin::db
