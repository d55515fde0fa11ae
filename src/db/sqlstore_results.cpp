// The results of a match, the standings computed from all results, and the duplicate check.
#include "sqlstore.h"

#include "results/numbers.h"

#include <QSet>
#include <QSqlQuery>

namespace tavorin::db {

using namespace resultentry;

namespace {

QVariant number(Id id) {
    return QVariant::fromValue(id);
}

// Column of tv_ergebnisse and parameter stem of every field but the legs, which are bound as ":legswon1" and
// ":legswon2" on both rows.
struct FieldColumn {
    Field field;
    const char* column;
    const char* parameter; // followed by "1" or "2"
};

constexpr FieldColumn statisticColumns[] = {
    {Average, "ave", ":ave_"},         {First9Average, "f9ave", ":f9ave_"},
    {Minus20, "m20", ":m20_"},         {Plus20, "p20", ":p20_"},
    {Plus40, "p40", ":p40_"},          {Plus60, "p60", ":p60_"},
    {Plus80, "p80", ":p80_"},          {Plus100, "p100", ":p100_"},
    {Plus140, "p140", ":p140_"},       {Plus171, "p171", ":p171_"},
    {Count180, "p180", ":p180_"},      {HighestFinish, "hf", ":hf_"},
    {DoublesHit, "douba", ":douba_"},  {DoublesThrown, "doubb", ":doubb_"},
    {BestLeg, "bestleg", ":bestleg_"},
};

bool isDecimal(Field f) {
    return f == Average || f == First9Average;
}

const Sql loadSql{QStringLiteral("SELECT * FROM tv_ergebnisse WHERE spieltag_id = :spieltag_id ; ")};
const Sql gameSql{QStringLiteral(
    "SELECT tv_spieltage.spieltag AS spieltag, A.dartn_name AS heim1, A.prodarter_name AS heim2, B.dartn_name AS "
    "gast1, B.prodarter_name AS gast2 FROM tv_ergebnisse JOIN tv_spieltage ON tv_spieltage.id = "
    "tv_ergebnisse.spieltag_id LEFT JOIN tv_spieler AS A ON A.id = tv_spieltage.heim LEFT JOIN tv_spieler AS B ON "
    "B.id = tv_spieltage.gast WHERE tv_ergebnisse.hash = :hash AND tv_ergebnisse.plat = :plat AND "
    "tv_ergebnisse.spieltag_id <> :spiel ORDER BY tv_spieltage.spieltag, tv_spieltage.id LIMIT 1 ;")};

const Sql updateLeftSql{QStringLiteral(
    "UPDATE tv_ergebnisse SET gewonnen = :gewonnen1, remis = :remis1, verloren = :verloren1, legs_won = :legswon1, "
    "legs_lost = :legswon2, pkt = :punkte1, ave = :ave_1, f9ave = :f9ave_1, m20 = :m20_1, p20 = :p20_1, p40 = "
    ":p40_1, p60 = :p60_1, p80 = :p80_1, p100 = :p100_1, p140 = :p140_1 ,p171 = :p171_1, p180 = :p180_1, hf = "
    ":hf_1, douba = :douba_1, doubb = :doubb_1, bestleg = :bestleg_1, hash = :hash, plat = :plat WHERE spieltag_id "
    "= :spieltag AND spieler_id = :spieler1 ; ")};
const Sql updateRightSql{QStringLiteral(
    "UPDATE tv_ergebnisse SET gewonnen = :gewonnen2, remis = :remis2, verloren = :verloren2, legs_won = :legswon2, "
    "legs_lost = :legswon1, pkt = :punkte2, ave = :ave_2, f9ave = :f9ave_2, m20 = :m20_2, p20 = :p20_2, p40 = "
    ":p40_2, p60 = :p60_2, p80 = :p80_2, p100 = :p100_2, p140 = :p140_2, p171 = :p171_2, p180 = :p180_2,hf = :hf_2, "
    "douba = :douba_2, doubb = :doubb_2, bestleg = :bestleg_2, hash = :hash, plat = :plat WHERE spieltag_id = "
    ":spieltag AND spieler_id = :spieler2 ; ")};
const Sql insertLeftSql{
    QStringLiteral(
        "INSERT INTO tv_ergebnisse (id, spieltag_id, spieler_id, gewonnen, remis, verloren, legs_won, legs_lost, pkt, "
        "ave, f9ave, m20, p20, p40, p60, p80, p100, p140, p171, p180, hf, douba, doubb, bestleg, hash, plat) VALUES "
        "(NULL, :spieltag, :spieler1, :gewonnen1, :remis1, :verloren1, :legswon1, :legswon2, :punkte1, :ave_1, "
        ":f9ave_1, :m20_1, :p20_1, :p40_1, :p60_1, :p80_1, :p100_1, :p140_1, :p171_1, :p180_1, :hf_1, :douba_1, "
        ":doubb_1, :bestleg_1, :hash, :plat) ;"),
    QStringLiteral("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, gewonnen, remis, verloren, legs_won, "
                   "legs_lost, pkt, ave, f9ave, m20, p20, p40, p60, p80, p100, p140, p171, p180, hf, douba, doubb, "
                   "bestleg, hash, plat) VALUES (:spieltag, :spieler1, :gewonnen1, :remis1, :verloren1, "
                   ":legswon1, :legswon2, :punkte1, :ave_1, :f9ave_1, :m20_1, :p20_1, :p40_1, :p60_1, :p80_1, "
                   ":p100_1, :p140_1, :p171_1, :p180_1, :hf_1, :douba_1, :doubb_1, :bestleg_1, :hash, :plat)")};
const Sql insertRightSql{
    QStringLiteral(
        "INSERT INTO tv_ergebnisse (id, spieltag_id, spieler_id, gewonnen, remis, verloren, legs_won, legs_lost, pkt, "
        "ave, f9ave, m20, p20, p40, p60, p80, p100, p140, p171, p180, hf, douba, doubb, bestleg, hash, plat) VALUES "
        "(NULL, :spieltag, :spieler2, :gewonnen2, :remis2, :verloren2, :legswon2, :legswon1, :punkte2, :ave_2, "
        ":f9ave_2, :m20_2, :p20_2, :p40_2, :p60_2, :p80_2, :p100_2, :p140_2, :p171_2, :p180_2, :hf_2, :douba_2, "
        ":doubb_2, :bestleg_2, :hash, :plat) ;"),
    QStringLiteral("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, gewonnen, remis, verloren, legs_won, "
                   "legs_lost, pkt, ave, f9ave, m20, p20, p40, p60, p80, p100, p140, p171, p180, hf, douba, "
                   "doubb, bestleg, hash, plat) VALUES (:spieltag, :spieler2, :gewonnen2, :remis2, "
                   ":verloren2, :legswon2, :legswon1, :punkte2, :ave_2, :f9ave_2, :m20_2, :p20_2, :p40_2, "
                   ":p60_2, :p80_2, :p100_2, :p140_2, :p171_2, :p180_2, :hf_2, :douba_2, :doubb_2, :bestleg_2, "
                   ":hash, :plat)")};

// A match with its players and the number of its result rows, for a save of new results.
const Sql newResultCheckSql{QStringLiteral(
    "SELECT liga, spieltag, heim, gast, (SELECT COUNT(*) FROM tv_ergebnisse WHERE spieltag_id = :id) FROM "
    "tv_spieltage WHERE id = :id")};
const Sql importedGamesSql{QStringLiteral(
    "SELECT DISTINCT plat, hash FROM tv_ergebnisse WHERE hash IS NOT NULL AND hash <> '' ORDER BY plat, hash")};

// Game id and platform are stored as texts, empty ones too (not as NULL).
QString storedText(const QString& text) {
    return text.isNull() ? QStringLiteral("") : text;
}

} // namespace

QList<StoredSide> SqlStore::results(Id match) {
    QList<StoredSide> sides;
    read(loadSql, {{QStringLiteral(":spieltag_id"), number(match)}}, [&](const Row& q) {
        StoredSide side;
        side.playerId = q.text("spieler_id");
        side.texts[Legs] = q.text("legs_won");
        for (const FieldColumn& c : statisticColumns)
            side.texts[c.field] = isDecimal(c.field) ? twoDecimals(q.value(c.column).toFloat()) : q.text(c.column);
        sides.append(side);
    });
    return sides;
}

MatchWithGame SqlStore::matchWithGame(const QString& platform, const QString& hash, Id exceptMatch) {
    MatchWithGame found;
    if (hash.isEmpty())
        return found;
    read(gameSql,
         {{QStringLiteral(":hash"), hash},
          {QStringLiteral(":plat"), platform},
          {QStringLiteral(":spiel"), number(exceptMatch)}},
         [&](const Row& q) {
             found = {true, q.text("spieltag"), q.text("heim1"), q.text("heim2"), q.text("gast1"), q.text("gast2")};
         });
    return found;
}

QList<ImportedGame> SqlStore::importedGames() {
    QList<ImportedGame> games;
    read(importedGamesSql, {}, [&](const Row& q) { games.append({q.text("plat"), q.text("hash")}); });
    return games;
}

namespace {

// The bindings of one side: `n` is "1" for the left player, "2" for the right one. A best leg of 0 means none
// and is stored as `noBestLeg`, so that the statistics' minimum prefers any real best leg.
Bindings sideBindings(const QString& n, Id player, const PlayerOutcome& outcome, const SideTexts& texts,
                      const QVariant& noBestLeg) {
    Bindings b = {
        {QStringLiteral(":spieler") + n, number(player)}, {QStringLiteral(":gewonnen") + n, outcome.gewonnen},
        {QStringLiteral(":remis") + n, outcome.remis},    {QStringLiteral(":verloren") + n, outcome.verloren},
        {QStringLiteral(":punkte") + n, outcome.punkte},
    };
    for (const FieldColumn& c : statisticColumns) {
        const QString& text = texts[c.field];
        // A decimal is the typed figure in single precision, stored as the double it is.
        QVariant value = isDecimal(c.field) ? QVariant(double(textToFloat(text))) : QVariant(textToInt(text));
        if (c.field == BestLeg && value.toInt() == 0)
            value = noBestLeg;
        b.append({QLatin1StringView(c.parameter) + n, value});
    }
    return b;
}

} // namespace

Result SqlStore::storeResultRows(QSqlQuery& leftRow, QSqlQuery& rightRow, const SaveContext& context,
                                 const SideTexts& left, const SideTexts& right, const Points& points) {
    const int legsLeft = textToInt(left[Legs]);
    const int legsRight = textToInt(right[Legs]);
    const MatchOutcome outcome = decideOutcome(legsLeft, legsRight, points);
    const Bindings common = {
        {QStringLiteral(":spieltag"), context.matchId},
        {QStringLiteral(":legswon1"), legsLeft},
        {QStringLiteral(":legswon2"), legsRight},
        {QStringLiteral(":hash"), storedText(context.hash)},
        {QStringLiteral(":plat"), storedText(context.plat)},
    };
    const QVariant noBestLeg =
        dialect == Dialect::Postgres ? QVariant(QMetaType::fromType<int>()) : QVariant(QStringLiteral(""));
    Result r = run(leftRow, context.update ? updateLeftSql : insertLeftSql,
                   common + sideBindings(QStringLiteral("1"), context.leftPlayer, outcome.left, left, noBestLeg));
    if (r)
        r = run(rightRow, context.update ? updateRightSql : insertRightSql,
                common + sideBindings(QStringLiteral("2"), context.rightPlayer, outcome.right, right, noBestLeg));
    return r;
}

Result SqlStore::saveResult(const SaveContext& context, const SideTexts& left, const SideTexts& right,
                            const Points& points, MatchState* expected) {
    MatchState saved;
    const Result done = write([&](StoreChange& c) {
        if (expected) {
            Result read;
            const MatchState now = readMatchState(context.matchId, &read);
            if (!read)
                return read;
            if (now != *expected)
                return Result::conflicting(describeMatchChange(*expected, now));
        }
        QSqlQuery q(database());
        Result r = storeResultRows(q, q, context, left, right, points);
        if (r) {
            const StoreChange::MatchRef ref = matchRef(context.matchId);
            c = {StoreChange::Results, {}, {ref.league}, {ref}, false};
            if (expected)
                saved = readMatchState(context.matchId, &r);
        }
        return r;
    });
    if (done && expected)
        *expected = saved;
    return done;
}

Result SqlStore::saveNewResults(const QList<NewResult>& results, const Points& points) {
    return write([&](StoreChange& c) {
        // Each statement is prepared once for all of them.
        QSqlQuery check(database());
        QSqlQuery leftRow(database());
        QSqlQuery rightRow(database());
        for (const NewResult& n : results) {
            Result r = run(check, newResultCheckSql, {{QStringLiteral(":id"), number(n.save.matchId)}});
            if (!r)
                return r;
            MatchState now;
            if (check.next())
                now = {true,
                       check.value(0).toLongLong(),
                       check.value(1).toInt(),
                       check.value(2).toLongLong(),
                       check.value(3).toLongLong(),
                       QStringList(check.value(4).toInt(), QString())};
            const MatchState expected{true, n.league, n.day, n.save.leftPlayer, n.save.rightPlayer, {}};
            if (now != expected)
                return Result::conflicting(describeMatchChange(expected, now));
            r = storeResultRows(leftRow, rightRow, n.save, n.left, n.right, points);
            if (!r)
                return r;
            c.kinds = StoreChange::Results;
            if (!c.leagues.contains(n.league))
                c.leagues.append(n.league);
            c.matches.append({n.save.matchId, n.league, n.day});
        }
        return Result();
    });
}

} // namespace tavorin::db
