#include "import/batchimport.h"

#include "app/textescape.h"
#include "db/leaguestore.h"

#include <QRegularExpression>
#include <QSet>
#include <QUrl>

namespace tavorin::batchimport {

namespace {

QString german(const char* text) {
    return replaceUmlautEscapes(QString::fromUtf8(text));
}

// A web address on lidarts.org or pro-darter.*, with or without its scheme, up to the first character that
// cannot be part of it in running text or forum code.
const QRegularExpression linkPattern(
    QStringLiteral(R"((?<![\w.-])(?:https?://)?(?:[a-z0-9-]+\.)*(lidarts\.org|pro-darter\.[a-z]+)(?::\d+)?/)"
                   R"([^\s\[\]<>"']*)"),
    QRegularExpression::CaseInsensitiveOption);

// The link without punctuation that ends the sentence around it.
QString trimmedLink(QString link) {
    while (!link.isEmpty() && QStringLiteral(".,;:!?)").contains(link.back()))
        link.chop(1);
    return link;
}

// The game id of a link found by the pattern, empty when it is no link to a game.
QString gameIdOfLink(ImportPlatform platform, const QString& link) {
    if (platform == ImportPlatform::Prodarter)
        return link.contains(QStringLiteral("match="), Qt::CaseInsensitive) ? prodarterGameId(link) : QString();
    const QString address = link.contains(QStringLiteral("://")) ? link : QStringLiteral("https://") + link;
    if (!QUrl(address).path().split(QLatin1Char('/')).contains(QStringLiteral("game")))
        return QString();
    return lidartsGameId(address);
}

bool sameName(const QString& a, const QString& b) {
    return !a.trimmed().isEmpty() && a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// Why a fetch that did not give values gives no row to save.
QString failure(const ImportedValues& values) {
    switch (values.outcome) {
    case ImportOutcome::NotFinished:
        return QStringLiteral("Das Spiel ist noch nicht abgeschlossen!");
    case ImportOutcome::NoGameData: // the parser's reason: a value that no game can have
        if (!values.reason.isEmpty())
            return values.reason;
        [[fallthrough]];
    case ImportOutcome::NotFound:
        return (german("F:ue:r diesen Link wurden keine Spieldaten gefunden! ") + values.reason).trimmed();
    case ImportOutcome::TimedOut:
    case ImportOutcome::NoConnection:
        return (german("Keine Verbindung m:oe:glich! ") + values.reason).trimmed();
    case ImportOutcome::Ok:
        break;
    }
    return QString();
}

// Matches the games of the review one after another, so that each match is taken by one game only.
class Matcher {
public:
    explicit Matcher(const LeagueView& league) : league(league) {
        for (const ImportedGame& game : league.storedGames)
            stored.insert(game.platform + QLatin1Char('|') + game.gameId);
    }

    void place(ReviewRow& row, const ImportedValues& values) {
        if (stored.contains(platformName(row.platform) + QLatin1Char('|') + row.gameId)) {
            row.outcome = QStringLiteral("Spiel schon importiert");
            return;
        }
        if (importedLegTotal(values.first, values.second) <= 0) {
            row.outcome = german("kein g:ue:ltiger Spielstand (0:0)");
            return;
        }
        const Match* played = nullptr;
        bool taken = false;
        for (const Match& m : league.matches) {
            const bool inOrder = sameName(values.firstName, m.home2) && sameName(values.secondName, m.away2);
            if (!inOrder && !(sameName(values.firstName, m.away2) && sameName(values.secondName, m.home2)))
                continue;
            if (m.played) {
                played = played ? played : &m;
            } else if (used.contains(m.id)) {
                taken = true;
            } else {
                return take(row, values, m, inOrder);
            }
        }
        row.outcome = taken    ? QStringLiteral("zweimal im Text")
                      : played ? QStringLiteral("Ergebnis schon eingetragen (%1. Spieltag)").arg(played->day)
                               : QStringLiteral("kein passendes Spiel in dieser Liga");
    }

private:
    void take(ReviewRow& row, const ImportedValues& values, const Match& m, bool inOrder) {
        used.insert(m.id);
        row.matched = true;
        row.match = m;
        const QStringList& home = inOrder ? values.first : values.second;
        const QStringList& away = inOrder ? values.second : values.first;
        row.sides = {importedSide(home), importedSide(away)};
        row.player1 = home.value(PosName);
        row.player2 = away.value(PosName);
        row.legs = home.value(PosLegs) + QLatin1Char(':') + away.value(PosLegs);
        const QString homeName = safeName(league.secondNames ? m.home2 : m.home1);
        const QString awayName = safeName(league.secondNames ? m.away2 : m.away1);
        row.outcome = QStringLiteral("%1. Spieltag: %2 – %3").arg(m.day).arg(homeName, awayName);
    }

    const LeagueView& league;
    QSet<QString> stored;
    QSet<Id> used;
};

} // namespace

QList<FoundLink> findGameLinks(const QString& text) {
    QList<FoundLink> links;
    QHash<QString, int> seen; // platform and id of each game, to the index of its first link
    for (auto it = linkPattern.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch found = it.next();
        FoundLink link;
        link.link = trimmedLink(found.captured(0));
        link.platform = found.captured(1).startsWith(QLatin1Char('l'), Qt::CaseInsensitive) ? ImportPlatform::Lidarts
                                                                                            : ImportPlatform::Prodarter;
        link.gameId = gameIdOfLink(link.platform, link.link);
        if (link.gameId.isEmpty())
            continue;
        const QString key = platformName(link.platform) + QLatin1Char('|') + link.gameId;
        link.firstIndex = seen.value(key, -1);
        if (link.firstIndex < 0)
            seen.insert(key, int(links.size()));
        links.append(link);
    }
    return links;
}

QList<ReviewRow> review(const QList<FoundLink>& links, const QList<Fetched>& fetched, const LeagueView& league,
                        bool stillFetching) {
    QList<ReviewRow> rows;
    Matcher matcher(league);
    for (qsizetype i = 0; i < links.size(); ++i) {
        ReviewRow row;
        row.link = links[i].link;
        row.platform = links[i].platform;
        row.gameId = links[i].gameId;
        const Fetched values = links[i].firstIndex < 0 ? fetched.value(i) : std::nullopt;
        if (values && values->outcome == ImportOutcome::Ok) {
            row.player1 = values->first.value(PosName);
            row.player2 = values->second.value(PosName);
            row.legs = values->first.value(PosLegs) + QLatin1Char(':') + values->second.value(PosLegs);
            matcher.place(row, *values);
        } else if (values) {
            row.outcome = failure(*values);
        } else {
            row.outcome = links[i].firstIndex >= 0 ? QStringLiteral("zweimal im Text")
                          : stillFetching          ? QStringLiteral("wird abgerufen")
                                                   : QStringLiteral("nicht abgerufen (abgebrochen)");
        }
        rows.append(row);
    }
    return rows;
}

db::Result saveRows(db::LeagueStore& store, Id league, const QList<ReviewRow>& rows, const Points& points) {
    QList<resultentry::NewResult> results;
    for (const ReviewRow& row : rows) {
        if (!row.matched)
            continue;
        const Match& m = row.match;
        const resultentry::SaveContext save{false, m.id, m.home, m.away, row.gameId, platformName(row.platform)};
        results.append({save, league, m.day, row.sides[0], row.sides[1]});
    }
    return store.saveNewResults(results, points);
}

} // namespace tavorin::batchimport
