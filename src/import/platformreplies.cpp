#include "import/platformreplies.h"
#include "app/textescape.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <cmath>
#include <utility>

namespace tavorin {

namespace {

// The relay line (of the first player; the second player's is 15 further on) for value positions 0 to 14.
constexpr int relayLineOfPosition[relayLinesPerPlayer] = {0, 1, 2, 3, 14, 13, 12, 11, 10, 9, 8, 7, 5, 4, 6};

// Positions of the value lists for the result form's fields; the doubles are split from PosDoubles.
constexpr struct {
    resultentry::Field field;
    ImportPosition position;
} formPositions[] = {
    {resultentry::Legs, PosLegs},
    {resultentry::Average, PosAverage},
    {resultentry::First9Average, PosFirst9Average},
    {resultentry::Minus20, PosBelow20},
    {resultentry::Plus20, Pos20},
    {resultentry::Plus40, Pos40},
    {resultentry::Plus60, Pos60},
    {resultentry::Plus80, Pos80},
    {resultentry::Plus100, Pos100},
    {resultentry::Plus140, Pos140},
    {resultentry::Plus171, Pos171},
    {resultentry::Count180, Pos180},
    {resultentry::HighestFinish, PosHighFinish},
    {resultentry::BestLeg, PosBestLeg},
};

// A figure of a Lidarts reply: its key after "p1_" or "p2_", its position, its largest value and
// whether it may have decimals.
struct LidartsFigure {
    const char* key;
    ImportPosition position;
    int max;
    bool decimal;
};
constexpr LidartsFigure lidartsFigures[] = {
    {"legs_won", PosLegs, 99, false},
    {"match_avg", PosAverage, 180, true},
    {"first9_avg", PosFirst9Average, 180, true},
    {"0", PosBelow20, 999, false},
    {"20", Pos20, 999, false},
    {"40", Pos40, 999, false},
    {"60", Pos60, 999, false},
    {"80", Pos80, 999, false},
    {"100", Pos100, 999, false},
    {"140", Pos140, 999, false},
    {"171", Pos171, 999, false},
    {"180", Pos180, 999, false},
    {"high_finish", PosHighFinish, 170, false},
    {"short_leg", PosBestLeg, 999, false},
};
// The two figures of the doubles text besides the legs won.
constexpr LidartsFigure doublesRate = {"doubles", PosDoubles, 100, true};
constexpr LidartsFigure dartsAtDouble = {"darts_thrown_double", PosDoubles, 9999, false};

QString german(const char* text) {
    return replaceUmlautEscapes(QString::fromUtf8(text));
}

// What a parser gives back for a reply it gives up on: the outcome and why, no values.
ImportedValues givenUp(ImportOutcome outcome, const QString& reason = QString()) {
    ImportedValues none;
    none.outcome = outcome;
    none.reason = reason;
    return none;
}

QString captionOf(ImportPosition position) {
    for (const ImportRow& row : importRows) {
        if (row.position == position)
            return QString::fromLatin1(row.caption);
    }
    return QString();
}

ImportPosition positionOf(resultentry::Field field) {
    for (const auto& p : formPositions) {
        if (p.field == field)
            return p.position;
    }
    return PosDoubles; // hit and thrown
}

// Why the values of the platform's player `player` (1 or 2) cannot be offered; empty when they can.
QString valuesProblem(const QStringList& values, int player) {
    for (const ImportRow& row : importRows) {
        if (values.value(row.position).size() > maxValueLength)
            return german("„%1“ von Spieler %2 ist l:ae:nger als %3 Zeichen.")
                .arg(QString::fromLatin1(row.caption))
                .arg(player)
                .arg(maxValueLength);
    }
    const resultentry::Field field = resultentry::firstImpossibleField(importedSide(values));
    if (field == resultentry::FieldCount)
        return QString();
    const ImportPosition position = positionOf(field);
    return german("Der Wert „%1“ bei „%2“ von Spieler %3 ist nicht m:oe:glich.")
        .arg(values.value(position).trimmed(), captionOf(position), QString::number(player));
}

// The values of both players, or the reason of the first player whose values cannot be offered.
ImportedValues offered(QStringList first, QStringList second, const QString& firstName, const QString& secondName) {
    for (const QStringList* side : {&first, &second}) {
        const QString problem = valuesProblem(*side, side == &first ? 1 : 2);
        if (!problem.isEmpty())
            return givenUp(ImportOutcome::NoGameData, problem);
    }
    ImportedValues values;
    values.outcome = ImportOutcome::Ok;
    values.first = std::move(first);
    values.second = std::move(second);
    values.firstName = firstName;
    values.secondName = secondName;
    return values;
}

// Reads figure `f` of the player whose keys start with `prefix` into `out`; false when the reply holds
// something else than a number in its range there (a key left out, or null, counts 0).
bool readFigure(const QJsonObject& game, const QString& prefix, const LidartsFigure& f, QString& out) {
    const QJsonValue value = game.value(prefix + QLatin1String(f.key));
    const bool none = value.isUndefined() || value.isNull();
    if (!none && !value.isDouble())
        return false;
    const double number = none ? 0.0 : value.toDouble();
    if (!(number >= 0.0 && number <= f.max) || (!f.decimal && number != std::floor(number)))
        return false;
    out = f.decimal ? QString::number(number, 'f', 2) : QString::number(qint64(number));
    return true;
}

// The 16 values of player `prefix` ("p1_" or "p2_"); empty, with `reason` set, when one cannot be read.
QStringList lidartsPlayerValues(const QJsonObject& game, const QString& prefix, QString& reason) {
    const auto read = [&](const LidartsFigure& f, QString& out) {
        if (readFigure(game, prefix, f, out))
            return true;
        reason = (f.decimal ? german("Der Wert von „%1“ ist keine Zahl von 0 bis %2.")
                            : german("Der Wert von „%1“ ist keine ganze Zahl von 0 bis %2."))
                     .arg(prefix + QLatin1String(f.key))
                     .arg(f.max);
        return false;
    };
    QStringList values(ImportPositionCount);
    const QJsonValue name = game.value(prefix + QLatin1String("name"));
    if (!name.isUndefined() && !name.isNull() && !name.isString()) {
        reason = german("Der Wert von „%1“ ist kein Text.").arg(prefix + QLatin1String("name"));
        return {};
    }
    values[PosName] = name.toString();
    for (const LidartsFigure& f : lidartsFigures) {
        if (!read(f, values[f.position]))
            return {};
    }
    QString rate;
    QString darts;
    if (!read(doublesRate, rate) || !read(dartsAtDouble, darts))
        return {};
    // Every leg won was won with a double, so the legs won stand for the doubles hit.
    values[PosDoubles] =
        rate + QLatin1String("% (") + values[PosLegs] + QLatin1Char('/') + darts + QLatin1String(")\n");
    return values;
}

// Whether `id` has the shape of a game id: 1 to 64 ASCII letters, digits, "-" or "_".
bool isGameId(const QString& id) {
    if (id.isEmpty() || id.size() > 64)
        return false;
    for (const QChar c : id) {
        if (c.unicode() >= 128 || !(c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_')))
            return false;
    }
    return true;
}

} // namespace

QString platformName(ImportPlatform platform) {
    return platform == ImportPlatform::Lidarts ? QStringLiteral("lidarts") : QStringLiteral("prodarter");
}

QString replyTooLargeReason() {
    return german("Die Antwort des Servers ist gr:oe::sz:er als 1 MiB.");
}

void ImportedValues::swapSides() {
    std::swap(first, second);
    std::swap(firstName, secondName);
}

QString lidartsGameId(const QString& link) {
    const QStringList segments = QUrl(link).path(QUrl::FullyEncoded).split(QLatin1Char('/'));
    const qsizetype game = segments.indexOf(QStringLiteral("game"));
    const QString id = game >= 0 ? QUrl::fromPercentEncoding(segments.value(game + 1).toUtf8())
                                 : link.split(QLatin1Char('/')).constLast();
    return isGameId(id) ? id : QString();
}

QString prodarterGameId(const QString& link) {
    const QString id = link.split(QLatin1Char('=')).constLast();
    return isGameId(id) ? id : QString();
}

QString gameIdOf(ImportPlatform platform, const QString& link) {
    return platform == ImportPlatform::Lidarts ? lidartsGameId(link) : prodarterGameId(link);
}

QUrl lidartsRequestUrl(const PlatformAddresses& addresses, const QString& gameId) {
    return QUrl(addresses.lidartsGameRequest(QString::fromLatin1(QUrl::toPercentEncoding(gameId))));
}

QUrl relayRequestUrl(const PlatformAddresses& addresses) {
    const QString address = addresses.prodarterRelayRequest();
    return address.isEmpty() ? QUrl() : QUrl(address);
}

QByteArray relayFormBody(const QString& gameId) {
    return QByteArrayLiteral("wert=") + QUrl::toPercentEncoding(gameId);
}

ImportedValues parseLidartsReply(const QByteArray& body, QDeadlineTimer deadline) {
    if (body.size() > maxReplyBytes)
        return givenUp(ImportOutcome::NoGameData, replyTooLargeReason());
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (deadline.hasExpired())
        return givenUp(ImportOutcome::TimedOut);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return givenUp(ImportOutcome::NoGameData, german("Die Antwort ist kein JSON-Objekt."));
    const QJsonObject game = document.object();
    const auto status = game.constFind(QLatin1String("status"));
    if (status != game.constEnd() && status->toString() != QLatin1String("completed"))
        return givenUp(ImportOutcome::NotFinished);
    QString reason;
    QStringList first = lidartsPlayerValues(game, QStringLiteral("p1_"), reason);
    QStringList second = first.isEmpty() ? QStringList() : lidartsPlayerValues(game, QStringLiteral("p2_"), reason);
    if (second.isEmpty())
        return givenUp(ImportOutcome::NoGameData, reason);
    const QString firstName = first.at(PosName);
    const QString secondName = second.at(PosName);
    return offered(std::move(first), std::move(second), firstName, secondName);
}

ImportedValues parseRelayReply(const QByteArray& body, QDeadlineTimer deadline) {
    if (body.size() > maxReplyBytes)
        return givenUp(ImportOutcome::NoGameData, replyTooLargeReason());
    QStringList lines = QString::fromUtf8(body).split(QLatin1Char('\n'));
    if (lines.size() < relayReplyLines)
        return givenUp(ImportOutcome::NoGameData,
                       german("Die Antwort hat %1 statt %2 Zeilen.").arg(lines.size()).arg(relayReplyLines));
    QStringList sides[2];
    for (int position = 0; position < relayLinesPerPlayer; ++position) {
        if (deadline.hasExpired())
            return givenUp(ImportOutcome::TimedOut);
        for (int side = 0; side < 2; ++side) {
            QString& line = lines[relayLineOfPosition[position] + side * relayLinesPerPlayer];
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            sides[side] << markupToPlainText(line);
        }
    }
    if (deadline.hasExpired())
        return givenUp(ImportOutcome::TimedOut);
    return offered(std::move(sides[0]), std::move(sides[1]), lines.at(0), lines.at(relayLinesPerPlayer));
}

resultentry::SideTexts importedSide(const QStringList& values) {
    resultentry::SideTexts side;
    for (const auto& p : formPositions)
        side[p.field] = values.value(p.position);
    const DoublesFigures doubles = splitDoublesText(values.value(PosDoubles));
    side[resultentry::DoublesHit] = doubles.hit;
    side[resultentry::DoublesThrown] = doubles.thrown;
    return side;
}

bool redirectAllowed(const QUrl& from, const QUrl& to, bool sendsForm) {
    if (sendsForm || !to.isValid())
        return false;
    const auto defaultPort = [](const QUrl& url) { return url.scheme() == QLatin1String("https") ? 443 : 80; };
    return from.scheme() == to.scheme() && from.host() == to.host() && !to.host().isEmpty() &&
           from.port(defaultPort(from)) == to.port(defaultPort(to));
}

NameOrder checkNames(const QString& platformFirst, const QString& platformSecond, const QString& formLeft,
                     const QString& formRight) {
    if (platformFirst == formLeft && platformSecond == formRight)
        return NameOrder::InOrder;
    if (platformFirst == formRight && platformSecond == formLeft)
        return NameOrder::Crossed;
    return NameOrder::Mismatch;
}

DoublesFigures splitDoublesText(const QString& text) {
    const QStringList afterOpen = text.split(QLatin1Char('('));
    if (afterOpen.size() < 2)
        return {};
    const QString& piece = afterOpen.at(1);
    const qsizetype close = piece.indexOf(QLatin1Char(')'));
    if (close < 0)
        return {};
    const QStringList parts = piece.left(close).split(QLatin1Char('/'));
    if (parts.size() < 2)
        return {};
    return {parts.at(0), parts.at(1)};
}

qint64 importedLegTotal(const QStringList& first, const QStringList& second) {
    return qint64(first.value(PosLegs).toInt()) + second.value(PosLegs).toInt();
}

} // namespace tavorin
