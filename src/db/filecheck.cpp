#include "filecheck.h"

#include "filecommands.h"
#include "schema.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <cerrno>

namespace tavorin::db {

namespace {

Result notLeague(const QString& reason) {
    Result r = Result::failure(reason);
    r.notLeague = true;
    return r;
}

// SQLite's primary result codes for a damaged file and for a file that is no database.
constexpr int sqliteCorrupt = 11;
constexpr int sqliteNotADatabase = 26;

// A failed statement of the check, with its reason in German where SQLite names one the check knows.
Result statementFailed(const QSqlError& error) {
    const int code = error.nativeErrorCode().toInt() & 0xff;
    if (code == sqliteNotADatabase)
        return notLeague(QStringLiteral("keine SQLite-Datenbank"));
    if (code == sqliteCorrupt)
        return notLeague(QString::fromUtf8("beschädigt (%1)").arg(error.databaseText()));
    return Result::failure(error);
}

// Is the file one that SQLite may open? Opening a pipe would wait for a writer, so this comes first.
Result checkKind(const QString& path, Links links) {
    const QFileInfo file(path);
    if (file.isSymLink() && links == Links::Refused)
        return notLeague(QString::fromUtf8("eine Verknüpfung, keine gewöhnliche Datei"));
    if (!file.exists()) {
        if (file.isSymLink()) // also a loop of links
            return notLeague(QString::fromUtf8("eine Verknüpfung, die zu keiner Datei führt"));
        return Result::failure(fileErrorReason(ENOENT, QString()));
    }
    if (file.isDir())
        return notLeague(QStringLiteral("ein Ordner, keine Datei"));
    if (!file.isFile())
        return notLeague(QString::fromUtf8("keine gewöhnliche Datei"));
    errno = 0;
    QFile readable(path);
    if (!readable.open(QIODevice::ReadOnly)) {
        const int errorNumber = errno;
        return Result::failure(fileErrorReason(errorNumber, readable.errorString()));
    }
    return {};
}

Result quickCheck(QSqlDatabase& db) {
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA quick_check")))
        return statementFailed(query.lastError());
    const QString first = query.next() ? query.value(0).toString() : QString();
    if (first != QLatin1String("ok"))
        return notLeague(QString::fromUtf8("beschädigt (%1)").arg(first));
    return {};
}

} // namespace

Result checkLeagueFile(const QString& path, Links links) {
    if (Result r = checkKind(path, links); !r)
        return r;
    const QString name = QStringLiteral("tavorin_dateipruefung");
    Result r;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        // Read-only: a file that fails is left exactly as it was, without even a journal beside it.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=") +
                             QString::number(lockWaitMs));
        db.setDatabaseName(path);
        if (!db.open())
            r = statementFailed(db.lastError());
        else if (r = quickCheck(db); r)
            r = checkLeagueTables(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return r;
}

} // namespace tavorin::db
