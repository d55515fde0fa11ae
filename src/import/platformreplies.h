#pragma once

#include "app/settings.h"
#include "import/markup.h"
#include "results/resultentry.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <QStringList>
#include <QUrl>

// The network-free half of the online import: game ids from pasted links, the requests to Lidarts and to
// the Pro-Darter relay, the two reply formats turned into the value lists the import window offers, the
// name check and the split of the doubles text. PlatformFetch does the fetching.

namespace tavorin {

enum class ImportPlatform { Lidarts, Prodarter };

// The platform's name as a saved result stores it: "lidarts" or "prodarter".
QString platformName(ImportPlatform platform);

// At most this much of a reply is read; a longer reply counts as no game data. The caller reads up to one
// byte more than this, so that the parsers can tell an over-long reply from one that just fits.
inline constexpr qint64 maxReplyBytes = 1024 * 1024;
// Why such a reply is refused, in German.
QString replyTooLargeReason();

// A value of a reply longer than this (a name, a figure, the doubles text) is none a game can have: the
// reply counts as no game data, so that nothing shown or taken over is ever longer.
inline constexpr int maxValueLength = 200;

// The relay reply has 15 lines per player, first player before second.
inline constexpr int relayLinesPerPlayer = 15;
inline constexpr int relayReplyLines = 2 * relayLinesPerPlayer;

// Content type of the relay's form POST.
inline constexpr char relayContentType[] = "application/x-www-form-urlencoded";

// Positions in a player's value list. A Lidarts fetch fills all 16, a relay fetch 0 to 14 (the relay has
// no 171+ count).
enum ImportPosition {
    PosName = 0,
    PosLegs = 1,
    PosAverage = 2,
    PosFirst9Average = 3,
    PosBelow20 = 4,
    Pos20 = 5,
    Pos40 = 6,
    Pos60 = 7,
    Pos80 = 8,
    Pos100 = 9,
    Pos140 = 10,
    Pos180 = 11,
    PosHighFinish = 12,
    PosDoubles = 13,
    PosBestLeg = 14,
    Pos171 = 15,
    ImportPositionCount = 16
};

// The rows the import window shows, top to bottom (171+ between 140+ and 180), each with its caption as
// the result form names the field.
struct ImportRow {
    ImportPosition position;
    const char* caption;
};
inline constexpr ImportRow importRows[ImportPositionCount] = {
    {PosName, "Name"},       {PosLegs, "Legs"},
    {PosAverage, "AVG"},     {PosFirst9Average, "First 9 AVG"},
    {PosBelow20, "20-"},     {Pos20, "20+"},
    {Pos40, "40+"},          {Pos60, "60+"},
    {Pos80, "80+"},          {Pos100, "100+"},
    {Pos140, "140+"},        {Pos171, "171+"},
    {Pos180, "180"},         {PosHighFinish, "Highest Finish"},
    {PosDoubles, "Doubles"}, {PosBestLeg, "Best Leg"},
};

enum class ImportOutcome {
    Ok,
    NoGameData,   // the reply holds no usable game data: not a JSON object, too short, impossible figures, ...
    NotFinished,  // Lidarts: the game is still being played
    TimedOut,     // the time limit ran out before the reply was fetched and read
    NotFound,     // the server has no game for the id (HTTP 404), or sends more than maxReplyBytes
    NoConnection, // no complete reply: not reachable, untrusted, an HTTP error, redirected, cut off, ...
};

// What one fetch offers: the value lists of the platform's first and second player and the two names the
// name check compares; otherwise the outcome and, in German, the reason.
struct ImportedValues {
    ImportOutcome outcome = ImportOutcome::NoGameData;
    QString reason;
    QStringList first;
    QStringList second;
    QString firstName; // as received (for the relay: the raw line, markup included)
    QString secondName;

    // Exchanges everything of the two players; used when the name check finds them crossed.
    void swapSides();
};

// Game ids are 1 to 64 letters, digits, "-" or "_"; a text whose id would be anything else holds none,
// and these functions then give an empty id (so plain words such as "hallo welt" are no link to a game).
//
// The Lidarts game id in a pasted link. When the link's path has a segment "game", the id is the segment
// after it (percent-decoded), so /game/<id>, /game/<id>/ and /game/<id>/dark all give <id>. Otherwise the
// id is whatever follows the link's last "/", the whole link when it has none.
QString lidartsGameId(const QString& link);

// The Pro-Darter game id: whatever follows the link's last "=" (match-history.php?match=4711 gives 4711),
// the whole link when it has none.
QString prodarterGameId(const QString& link);

// The game id in `link` by the rule of `platform`.
QString gameIdOf(ImportPlatform platform, const QString& link);

// GET address of one Lidarts game; the id is percent-encoded as one path segment.
QUrl lidartsRequestUrl(const PlatformAddresses& addresses, const QString& gameId);

// POST address of the relay; empty while the relay is not configured, and then nothing is sent.
QUrl relayRequestUrl(const PlatformAddresses& addresses);

// The relay's form body: "wert=" and the id as UTF-8 with every byte outside the unreserved set
// (letters, digits, "-", ".", "_", "~") percent-encoded.
QByteArray relayFormBody(const QString& gameId);

// Both parsers take time linear in the reply's size. They give up with TimedOut once `deadline` has
// passed, and with NoGameData and its reason when a value is longer than maxValueLength or a player's
// figures are impossible in the result form (resultentry::firstImpossibleField); a reply they give up on
// offers no values at all.

// A Lidarts game reply. Not a JSON object, or longer than maxReplyBytes: NoGameData. A "status" key with
// any value other than the text "completed": NotFinished. A name must be a text; every figure a JSON
// number in its range, the counts whole numbers (legs 0 to 99, averages 0 to 180, doubles rate 0 to 100,
// score bands and best leg 0 to 999, highest finish 0 to 170, darts at double 0 to 9999); a key left out
// or null counts 0, anything else makes the reply NoGameData. Otherwise Ok with all 16 positions: averages
// and the doubles rate with two decimals and a point, and position 13 the doubles text
// "rate% (legs won/darts at double)" followed by a line break.
ImportedValues parseLidartsReply(const QByteArray& body, QDeadlineTimer deadline = QDeadlineTimer::Forever);

// A relay reply: UTF-8 text split at "\n" (a "\r" before the break is dropped), empty lines kept. Fewer
// than 30 lines, or longer than maxReplyBytes: NoGameData. Otherwise Ok with positions 0 to 14 of each
// player, every value passed through markupToPlainText; the names for the name check are lines 0 and 15
// as received.
ImportedValues parseRelayReply(const QByteArray& body, QDeadlineTimer deadline = QDeadlineTimer::Forever);

// The result form's fields of one player from a value list: the figures at their positions, the doubles
// split from position 13; a position the list lacks gives an empty field.
resultentry::SideTexts importedSide(const QStringList& values);

// Whether a reply may be fetched from `to` after asking `from`: only on the same scheme, host and port,
// and never for a request that sends a form, which the redirect would send again.
bool redirectAllowed(const QUrl& from, const QUrl& to, bool sendsForm);

// How the platform's two players relate to the form's left and right player. Names are compared exactly,
// case included; when both orders fit, in order wins.
enum class NameOrder { InOrder, Crossed, Mismatch };
NameOrder checkNames(const QString& platformFirst, const QString& platformSecond, const QString& formLeft,
                     const QString& formRight);

// The two doubles fields from a doubles text such as "33.33% (2/6)": within the text after the first "("
// (up to a further "(", if any) and before the ")" that follows, the pieces before and after the first
// "/". Unless all three of "(", "/" and ")" are found that way, both are empty. Pieces are kept as they are.
struct DoublesFigures {
    QString hit;
    QString thrown;
};
DoublesFigures splitDoublesText(const QString& text);

// The legs of both players together, as the take-over counts them: position 1 of each list as a whole
// number, a missing or non-numeric value counting 0. With 0 or less nothing is taken over.
qint64 importedLegTotal(const QStringList& first, const QStringList& second);

} // namespace tavorin
