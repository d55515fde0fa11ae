#include "leaguedatabase.h"

#include "schema.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>

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
    const bool exists = QFileInfo::exists(path);
    useDatabase(path);
    failing = false;
    ConnectionGuard guard;
    Result r = guard.status();
    if (r) {
        QSqlDatabase db = defaultConnection();
        r = prepare(db, exists);
    }
    return r;
}

Result LeagueDatabase::connectTo(const QString& path) {
    const QString name = QStringLiteral("tavorin_pruefung");
    Result r;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=") + QString::number(lockWaitMs));
        db.setDatabaseName(path);
        if (!QFileInfo(path).isFile()) // SQLite would create it
            r = Result::failure(QStringLiteral("no such file"));
        else if (!db.open())
            r = Result::failure(db.lastError());
        else if (r = checkLeagueTables(db); r)
            r = prepare(db, true);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (r) {
        useDatabase(path);
        failing = false;
    }
    return r;
}

Result LeagueDatabase::copyTo(const QString& target) {
    ConnectionGuard guard;
    if (!guard.isOpen())
        return guard.status();
    // SQLite writes the copy from one read transaction, so it is whole even while others write.
    QSqlQuery query(defaultConnection());
    return exec(query, QStringLiteral("VACUUM INTO :ziel"), {{QStringLiteral(":ziel"), target}});
}

Result LeagueDatabase::read(const QString& sql, const Bindings& values, const std::function<void(const Row&)>& take) {
    if (failing)
        return lastFailure;
    ConnectionGuard guard;
    Result r = guard.status();
    if (r) {
        QSqlQuery query(defaultConnection());
        query.setForwardOnly(true); // rows are read once, in order: none is kept for going back
        r = exec(query, sql, values);
        const Row row(query);
        while (r && query.next())
            take(row);
        if (r && query.lastError().isValid())
            r = Result::failure(query.lastError());
    }
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
    ConnectionGuard guard;
    if (!guard.isOpen())
        return guard.status();
    QSqlDatabase db = defaultConnection();
    if (!db.transaction())
        return Result::failure(db.lastError());
    Result result;
    Tables written;
    {
        QSqlQuery query(db);
        const QString* prepared = nullptr;
        for (qsizetype i = 0; i < statements.size() && result.ok; ++i) {
            const Statement& s = statements[i];
            if (!prepared || *prepared != s.sql) {
                if (!query.prepare(s.sql)) {
                    result = Result::failure(query.lastError());
                    break;
                }
                prepared = &s.sql;
            }
            if (result = run(query, s.values); !result)
                break;
            if (query.numRowsAffected() > 0)
                written |= tablesWrittenBy(s.sql);
            if (afterEach)
                afterEach(i);
        }
    }
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
