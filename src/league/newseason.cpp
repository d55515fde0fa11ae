#include "newseason.h"

#include "db/leaguestore.h"
#include "league/schedule.h"

#include <QRegularExpression>
#include <QSet>

namespace tavorin::newseason {

namespace {

// The ranked players of a division: its table without the withdrawn.
QList<LeagueTableRow> ranked(const Division& d) {
    QList<LeagueTableRow> out;
    for (const LeagueTableRow& r : d.table) {
        if (!r.withdrawn)
            out.append(r);
    }
    return out;
}

void place(NewLeague& league, const QList<LeagueTableRow>& rows, const QString& origin) {
    for (const LeagueTableRow& r : rows)
        league.members.append({r.playerId.toLongLong(), r.name1, r.name2, origin});
}

QString checkNames(const QStringList& names) {
    QSet<QString> seen;
    for (const QString& name : names) {
        if (name.trimmed().isEmpty())
            return QString::fromUtf8("Bitte geben Sie jeder neuen Liga einen Namen.");
        if (seen.contains(name.trimmed().toLower()))
            return QString::fromUtf8("Die neuen Ligen brauchen verschiedene Namen („%1“).").arg(name.trimmed());
        seen.insert(name.trimmed().toLower());
    }
    return QString();
}

// Why a division of `players` ranked players cannot send `up` players up and `down` down; empty when it can.
QString checkCounts(const QString& name, qsizetype players, int up, int down) {
    if (up >= 0 && down >= 0 && up + down <= players)
        return QString();
    return QString::fromUtf8("Die Liga „%1“ hat nur %2 Spieler in der Wertung; es sollen %3 aufsteigen und %4 "
                             "absteigen. Bitte wählen Sie kleinere Zahlen.")
        .arg(name)
        .arg(players)
        .arg(up)
        .arg(down);
}

} // namespace

Plan plan(const QList<Division>& divisions, const QList<Border>& borders, const QStringList& names) {
    Plan p;
    const qsizetype n = divisions.size();
    if (n == 0 || borders.size() != n - 1 || names.size() != n) {
        p.refusal = QString::fromUtf8("Bitte wählen Sie die Ligen der alten Saison aus.");
        return p;
    }
    if (p.refusal = checkNames(names); !p.refusal.isEmpty())
        return p;
    QList<QList<LeagueTableRow>> rows;
    for (const Division& d : divisions) {
        rows.append(ranked(d));
        for (const LeagueTableRow& r : d.table) {
            if (r.withdrawn)
                p.withdrawn.append(r.playerId.toLongLong());
        }
    }
    for (qsizetype i = 0; i < n && p.refusal.isEmpty(); ++i)
        p.refusal = checkCounts(divisions[i].name, rows[i].size(), i > 0 ? borders[i - 1].up : 0,
                                i + 1 < n ? borders[i].down : 0);
    if (!p.refusal.isEmpty())
        return p;
    for (qsizetype i = 0; i < n; ++i) {
        NewLeague league{names[i].trimmed(), {}};
        const int up = i > 0 ? borders[i - 1].up : 0, down = i + 1 < n ? borders[i].down : 0;
        if (i > 0)
            place(league, rows[i - 1].mid(rows[i - 1].size() - borders[i - 1].down),
                  QStringLiteral("Absteiger aus ") + divisions[i - 1].name);
        place(league, rows[i].mid(up, rows[i].size() - up - down), QStringLiteral("aus ") + divisions[i].name);
        if (i + 1 < n)
            place(league, rows[i + 1].mid(0, borders[i].up), QStringLiteral("Aufsteiger aus ") + divisions[i + 1].name);
        p.leagues.append(league);
    }
    return p;
}

QString proposedName(const QString& oldName) {
    static const QRegularExpression twoYears(QStringLiteral("(\\d{4})/(\\d{2})$"));
    static const QRegularExpression year(QStringLiteral("(\\d{4})$"));
    if (const QRegularExpressionMatch m = twoYears.match(oldName); m.hasMatch())
        return oldName.left(m.capturedStart()) + QString::number(m.captured(1).toInt() + 1) + QLatin1Char('/') +
               QStringLiteral("%1").arg((m.captured(2).toInt() + 1) % 100, 2, 10, QLatin1Char('0'));
    if (const QRegularExpressionMatch m = year.match(oldName); m.hasMatch())
        return oldName.left(m.capturedStart()) + QString::number(m.captured(1).toInt() + 1);
    return oldName + QStringLiteral(" (neue Saison)");
}

db::Result create(db::LeagueStore& store, const QList<Division>& divisions, const Plan& p, const Creation& how) {
    return store.transaction([&]() -> db::Result {
        for (qsizetype i = 0; i < p.leagues.size(); ++i) {
            const NewLeague& league = p.leagues[i];
            Id id = 0;
            QList<Id> players;
            QStringList ids;
            for (const Placed& m : league.members) {
                players.append(m.player);
                ids.append(QString::number(m.player));
            }
            db::Result r = store.addLeague(league.name, &id);
            if (r)
                r = store.moveMembers(players, id);
            if (r && how.schedules && players.size() > 1)
                r = store.storeSchedule(id, generateSchedule(ids, how.returnRound, how.balanceHomeAway));
            if (r)
                r = store.finishLeague(divisions[i].league, id);
            if (!r)
                return r;
        }
        return p.withdrawn.isEmpty() ? db::Result() : store.moveMembers(p.withdrawn, 0);
    });
}

} // namespace tavorin::newseason
