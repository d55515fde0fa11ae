#pragma once

#include "db/connection.h"
#include "db/leaguetypes.h"
#include "import/platformreplies.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace tavorin::db {
class LeagueStore;
}

// A match day from pasted text: the game links in it, the games fetched for them matched to the scheduled
// matches of one league, and the matched games saved together. Fetching is BatchFetch's.
namespace tavorin::batchimport {

// A game link found in the pasted text.
struct FoundLink {
    QString link; // as it stands in the text
    ImportPlatform platform = ImportPlatform::Lidarts;
    QString gameId;
    int firstIndex = -1; // the index of an earlier link to the same game, -1 for the first one
};

// Every Lidarts game link (a web address on lidarts.org with a path segment "game") and every Pro-Darter
// match link (on pro-darter.*, with "match=") in `text`, in the order of the text; the address may lack
// "https://". A link ends before white space, "[", "]", "<", ">" or a quote, and a trailing ".", ",", ";",
// ":", "!", "?" or ")" is no part of it. The game id follows the single import's rule; a link without one
// is no game link. Other text is ignored.
QList<FoundLink> findGameLinks(const QString& text);

// What the league and the league file hold for the matching: the league's matches (`played`: results are
// stored) and every game stored already.
struct LeagueView {
    Id league = 0;
    QList<Match> matches;
    QList<ImportedGame> storedGames;
    bool secondNames = false; // the match is named by the platform names, as the result list names it
};

// One row of the review: a link, the game's players and legs, and either the match it goes to with the
// figures of the home and the away player, or why it goes nowhere.
struct ReviewRow {
    QString link;
    QString player1; // home and away for a matched game, else as the game lists them
    QString player2;
    QString legs; // "3:2", in the order of the players
    bool matched = false;
    Match match;
    std::array<resultentry::SideTexts, 2> sides; // home, away
    ImportPlatform platform = ImportPlatform::Lidarts;
    QString gameId;
    QString outcome; // "3. Spieltag: Heim – Gast", or the reason
};

// What has become of the fetch of one game: not (yet) fetched, or what it gave.
using Fetched = std::optional<ImportedValues>;

// The review of `links`; `fetched` holds for each link what the fetch of its game gave (only the first link
// to a game is fetched). A game goes to the scheduled match whose two players' platform names equal the
// game's two names, letter case ignored, swapped when the game lists the guest first; of several such
// matches (a return round) to the first one by match day without results and not taken by an earlier link.
// `stillFetching`: links not fetched yet are waiting, else they were not fetched (cancelled).
QList<ReviewRow> review(const QList<FoundLink>& links, const QList<Fetched>& fetched, const LeagueView& league,
                        bool stillFetching);

// Saves the matched rows among `rows` like saved result forms (two new result rows each, the game stored
// with them) in one transaction of `store`: all of them or, when one is refused (a match has results or other
// players since `rows` were made) or fails, none.
db::Result saveRows(db::LeagueStore& store, Id league, const QList<ReviewRow>& rows, const Points& points);

} // namespace tavorin::batchimport
