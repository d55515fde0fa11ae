#include "storechange.h"

#include <QJsonArray>
#include <QStringList>

#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace tavorin::db {

namespace {

template <typename T> void addOnce(QList<T>& list, const T& value) {
    if (!list.contains(value))
        list.append(value);
}

QJsonArray ids(const QList<Id>& list) {
    QJsonArray out;
    for (Id id : list)
        out.append(double(id)); // ids stay far below 2^53
    return out;
}

QList<Id> idsFrom(const QJsonValue& value) {
    QList<Id> out;
    for (const QJsonValue v : value.toArray())
        out.append(Id(v.toDouble()));
    return out;
}

} // namespace

bool StoreChange::concernsLeague(Id league, Kinds any) const {
    if (!(kinds & any))
        return false;
    if (allLeagues || kinds & Players)
        return true; // a player's names may show in any league
    if (leagues.contains(league))
        return true;
    for (const MatchRef& m : matches) {
        if (m.league == league)
            return true;
    }
    return false;
}

bool StoreChange::concernsMatch(Id match) const {
    for (const MatchRef& m : matches) {
        if (m.id == match)
            return true;
    }
    return false;
}

void StoreChange::merge(const StoreChange& other) {
    kinds |= other.kinds;
    for (Id id : other.players)
        addOnce(players, id);
    for (Id id : other.leagues)
        addOnce(leagues, id);
    for (const MatchRef& m : other.matches)
        addOnce(matches, m);
    allLeagues = allLeagues || other.allLeagues;
}

QString StoreChange::describe() const {
    QStringList parts;
    if (kinds & Results) {
        QList<int> days;
        for (const MatchRef& m : matches) {
            if (m.day > 0)
                addOnce(days, m.day);
        }
        std::sort(days.begin(), days.end());
        QStringList shown;
        for (int day : days)
            shown << QString::number(day);
        const QString what = matches.size() == 1 ? QStringLiteral("Ergebnis") : QStringLiteral("Ergebnisse");
        parts << (shown.isEmpty() ? what : what + QStringLiteral(" von Spieltag ") + shown.join(QStringLiteral(", ")));
    }
    const std::pair<Kind, const char*> others[] = {
        {Schedule, "Spielplan"}, {Members, "Zuordnung"}, {Players, "Spieler"}, {Leagues, "Ligen"}};
    for (const auto& [kind, name] : others) {
        if (kinds & kind)
            parts << QString::fromLatin1(name);
    }
    return parts.join(QStringLiteral(", ")) + QString::fromUtf8(" ge\u00e4ndert");
}

QByteArray StoreChange::toPayload() const {
    QJsonObject o;
    o.insert(QStringLiteral("k"), int(kinds));
    if (!players.isEmpty())
        o.insert(QStringLiteral("p"), ids(players));
    if (!leagues.isEmpty())
        o.insert(QStringLiteral("l"), ids(leagues));
    if (!matches.isEmpty()) {
        QJsonArray list;
        for (const MatchRef& m : matches)
            list.append(QJsonArray{double(m.id), double(m.league), m.day});
        o.insert(QStringLiteral("m"), list);
    }
    if (allLeagues)
        o.insert(QStringLiteral("a"), true);
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

StoreChange StoreChange::fromPayload(const QByteArray& payload) {
    const QJsonDocument doc = QJsonDocument::fromJson(payload);
    StoreChange c;
    if (!doc.isObject() || !doc.object().value(QStringLiteral("k")).isDouble()) {
        c.kinds = Players | Leagues | Members | Schedule | Results;
        c.allLeagues = true;
        return c;
    }
    const QJsonObject o = doc.object();
    c.kinds = Kinds::fromInt(o.value(QStringLiteral("k")).toInt() & 0x1f);
    c.players = idsFrom(o.value(QStringLiteral("p")));
    c.leagues = idsFrom(o.value(QStringLiteral("l")));
    for (const QJsonValue v : o.value(QStringLiteral("m")).toArray()) {
        const QJsonArray m = v.toArray();
        c.matches.append({Id(m.at(0).toDouble()), Id(m.at(1).toDouble()), m.at(2).toInt()});
    }
    c.allLeagues = o.value(QStringLiteral("a")).toBool();
    return c;
}

} // namespace tavorin::db
