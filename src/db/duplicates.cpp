#include "duplicates.h"

#include "leaguedatabase.h"

#include <QSqlQuery>

namespace tavorin::db {

namespace {

const QString findSql = QStringLiteral("SELECT * FROM tv_ergebnisse GROUP by spieltag_id HAVING COUNT(*) > 2  ;");
const QString firstRowSql = QStringLiteral("SELECT * FROM tv_ergebnisse WHERE spieltag_id = :spid LIMIT 1;");
const QString otherPlayerSql =
    QStringLiteral("SELECT * FROM tv_ergebnisse WHERE spieltag_id = :spid AND spieler_id IS NOT :splid  LIMIT 1;");
const QString deleteSql =
    QStringLiteral("DELETE FROM tv_ergebnisse WHERE spieltag_id = :spid AND id IS NOT :id1 AND id IS NOT :id2 ;");

// The id and the player of the first row `sql` returns; null texts when there is none (bound later,
// a null text is SQL NULL).
struct KeptRow {
    QString id;
    QString player;
};
Result firstRow(const QString& sql, const Bindings& values, KeptRow& row) {
    QSqlQuery query;
    const Result r = exec(query, sql, values);
    const Row found(query);
    row = r && query.next() ? KeptRow{found.text("id"), found.text("spieler_id")} : KeptRow{};
    return r;
}

} // namespace

QStringList findDuplicateMatches() {
    QStringList ids;
    readRows(findSql, {}, [&](const Row& q) { ids.append(q.text("spieltag_id")); });
    return ids;
}

QString duplicateReport(const QStringList& matchIds) {
    QString report = QString::number(matchIds.size()) + QStringLiteral(" Doppelung/en gefunden ");
    for (const QString& id : matchIds)
        report += QStringLiteral("ID") + id + QLatin1Char(' ');
    return report;
}

Result duplicateDeletions(const QStringList& matchIds, QList<Statement>& deletions) {
    deletions.clear();
    ConnectionGuard guard; // one opening for all reads
    if (!guard.isOpen())
        return guard.status();
    const QString spid = QStringLiteral(":spid");
    for (const QString& match : matchIds) {
        KeptRow a, b;
        Result r = firstRow(firstRowSql, {{spid, match}}, a);
        if (r)
            r = firstRow(otherPlayerSql, {{spid, match}, {QStringLiteral(":splid"), a.player}}, b);
        if (!r) {
            deletions.clear();
            return r;
        }
        if (a.id.isEmpty())
            continue; // no rows (any more): nothing to reduce
        deletions.append({deleteSql, {{spid, match}, {QStringLiteral(":id1"), a.id}, {QStringLiteral(":id2"), b.id}}});
    }
    return {};
}

} // namespace tavorin::db
