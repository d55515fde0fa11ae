#include "leaguedatabase.h"

#include "filecheck.h"
#include "filecommands.h"
#include "schema.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>

#include <cerrno>

namespace tavorin::db {

namespace {

QSqlDatabase defaultConnection() {
    return QSqlDatabase::database(QLatin1StringView(QSqlDatabase::defaultConnection), false);
}

// Brings an opened league file up to date: the columns of later releases, then the indexes. A file that
// cannot take the indexes (write-protected, for example) is still used, only slower; a lock is reported.
Result prepare(QSqlDatabase& db, bool exists) {
    Result r = exists ? upgradeTables(db) : createTables(db);
    if (r) {
        const Result indexed = createIndexes(db);
        if (indexed.locked)
            r = indexed;
    }
    return r;
}

// SQLite's primary result codes for a file it cannot write, cannot create, or that meets a full disk.
constexpr int sqliteIoError = 10;
constexpr int sqliteFull = 13;
constexpr int sqliteCantOpen = 14;

// A copy that failed, with the reason in German. SQLite names a full disk itself; for other failures to
// write or to create the file, the system's error number is the one it met last.
Result copyFailed(const QSqlError& error, int errorNumber) {
    Result r = Result::failure(error);
    const int code = error.nativeErrorCode().toInt() & 0xff;
    if (code == sqliteFull)
        r.error = fileErrorReason(ENOSPC, QString());
    else if (code == sqliteIoError || code == sqliteCantOpen)
        r.error = fileErrorReason(errorNumber, error.databaseText());
    return r;
}

Result readAll(const QString& sql, const Bindings& values, const std::function<void(const Row&)>& take) {
    ConnectionGuard guard;
    if (!guard.isOpen())
        return guard.status();
    QSqlQuery query(defaultConnection());
    query.setForwardOnly(true); // rows are read once, in order: none is kept for going back
    Result r = exec(query, sql, values);
    const Row row(query);
    while (r && query.next())
        take(row);
    if (r && query.lastError().isValid())
        r = Result::failure(query.lastError());
    return r;
}

// Runs the statements of one transaction on `db`; `written` collects the tables whose rows they changed.
Result runStatements(QSqlDatabase& db, const QList<Statement>& statements,
                     const std::function<void(qsizetype)>& afterEach, Tables& written) {
    QSqlQuery query(db);
    const QString* prepared = nullptr;
    for (qsizetype i = 0; i < statements.size(); ++i) {
        const Statement& s = statements[i];
        if (!prepared || *prepared != s.sql) {
            if (!query.prepare(s.sql))
                return Result::failure(query.lastError());
            prepared = &s.sql;
        }
        if (const Result r = run(query, s.values); !r)
            return r;
        if (query.numRowsAffected() > 0)
            written |= tablesWrittenBy(s.sql);
        if (afterEach)
            afterEach(i);
    }
    return {};
}

} // namespace

Tables tablesWrittenBy(const QString& sql) {
    static const QRegularExpression write(QStringLiteral(R"(^\s*(?:INSERT\s+INTO|UPDATE|DELETE\s+FROM)\s+'?(\w+))"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QList<QPair<QString, Table>> names = {
        {QStringLiteral("tv_spieler"), Table::Spieler},       {QStringLiteral("tv_ligen"), Table::Ligen},
        {QStringLiteral("tv_zuordnung"), Table::Zuordnung},   {QStringLiteral("tv_spieltage"), Table::Spieltage},
        {QStringLiteral("tv_ergebnisse"), Table::Ergebnisse},
    };
    const QRegularExpressionMatch match = write.match(sql);
    if (match.hasMatch()) {
        const QString table = match.captured(1).toLower(); // table names are matched without regard to case
        for (const auto& [name, flag] : names) {
            if (name == table)
                return flag;
        }
    }
    return {};
}

LeagueDatabase& LeagueDatabase::instance() {
    static LeagueDatabase owner;
    return owner;
}

Result LeagueDatabase::open(const QString& path) {
    failing = false;
    const QFileInfo file(path);
    const bool create = !path.isEmpty() && !file.exists() && !file.isSymLink();
    Result r;
    if (!create)
        r = checkLeagueFile(path);
    else if (!QFileInfo(file.absolutePath()).isDir())
        r = Result::failure(fileErrorReason(ENOENT, QString()));
    // A refused file does not become current, so nothing can be written to it. One that is locked does,
    // and is checked as soon as it can be read.
    useDatabase(r || r.locked ? path : QString());
    unchecked = r.locked;
    return r ? prepareCurrent(create) : r;
}

void LeagueDatabase::close() {
    useDatabase(QString());
    unchecked = false;
}

bool LeagueDatabase::hasFile() const {
    return !defaultConnection().databaseName().isEmpty();
}

Result LeagueDatabase::prepareCurrent(bool create) {
    Result r;
    {
        ConnectionGuard guard;
        r = guard.status();
        QSqlDatabase db = defaultConnection();
        if (r)
            r = prepare(db, !create);
    }
    // Nor is a file used that could not be made or brought up to date; a lock only puts it off.
    unchecked = r.locked;
    if (!r && !r.locked)
        close();
    return r;
}

Result LeagueDatabase::checkPending() {
    if (!unchecked)
        return {};
    const Result r = checkLeagueFile(defaultConnection().databaseName());
    if (r)
        return prepareCurrent(false);
    if (!r.locked)
        close();
    return r;
}

Result LeagueDatabase::connectTo(const QString& path) {
    Result r = checkLeagueFile(path);
    if (r) {
        const QString name = QStringLiteral("tavorin_pruefung");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=") + QString::number(lockWaitMs));
            db.setDatabaseName(path);
            r = db.open() ? prepare(db, true) : Result::failure(db.lastError());
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }
    if (r) {
        useDatabase(path);
        failing = unchecked = false;
    }
    return r;
}

Result LeagueDatabase::copyTo(const QString& target) {
    if (const Result r = checkPending(); !r)
        return r;
    ConnectionGuard guard;
    if (!guard.isOpen())
        return guard.status();
    // SQLite writes the copy from one read transaction, so it is whole even while others write.
    QSqlQuery query(defaultConnection());
    errno = 0;
    if (!exec(query, QStringLiteral("VACUUM INTO :ziel"), {{QStringLiteral(":ziel"), target}})) {
        const int errorNumber = errno;
        return copyFailed(query.lastError(), errorNumber);
    }
    return {};
}

Result LeagueDatabase::read(const QString& sql, const Bindings& values, const std::function<void(const Row&)>& take) {
    if (failing)
        return lastFailure;
    Result r = checkPending();
    if (r)
        r = readAll(sql, values, take);
    if (!r) {
        // Reads fail at once while the message is shown too; the time to try again starts after it.
        failing = true;
        lastFailure = r;
        emit readFailed(r);
        holdFailure(r);
    }
    return r;
}

void LeagueDatabase::holdFailure(const Result& failure) {
    failing = true;
    lastFailure = failure;
    QTimer::singleShot(0, this, [this] { failing = false; });
}

Result LeagueDatabase::write(const QList<Statement>& statements, const std::function<void(qsizetype)>& afterEach) {
    if (failing && lastFailure.locked)
        return lastFailure; // the lock has been waited for and reported in this turn already
    if (const Result r = checkPending(); !r)
        return r;
    ConnectionGuard guard;
    if (!guard.isOpen())
        return guard.status();
    QSqlDatabase db = defaultConnection();
    if (!db.transaction())
        return Result::failure(db.lastError());
    Tables written;
    Result result = runStatements(db, statements, afterEach, written);
    if (result.ok && !db.commit())
        result = Result::failure(db.lastError());
    if (!result.ok) {
        db.rollback();
        return result;
    }
    failing = false; // the file answers again
    if (written)
        emit changed(written);
    return result;
}

Result readRows(const QString& sql, const Bindings& values, const std::function<void(const Row&)>& take) {
    return LeagueDatabase::instance().read(sql, values, take);
}

int readNumber(const QString& sql, const Bindings& values) {
    int number = 0;
    readRows(sql, values, [&](const Row& q) { number = q.value(0).toInt(); });
    return number;
}

Result writeAll(const QList<Statement>& statements, const std::function<void(qsizetype)>& afterEach) {
    return LeagueDatabase::instance().write(statements, afterEach);
}

} // namespace tavorin::db
