#include "demoleague.h"

#include "db/sqlitestore.h"
#include "league/schedule.h"
#include "results/resultentry.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <random>

namespace tavorin {

namespace {

using resultentry::SideTexts;

constexpr int leagueCount = 2;
constexpr int playersPerLeague = 8;
constexpr int playedMatchDays = playersPerLeague - 1; // the first round

struct DemoPlayer {
    const char* forumName;
    const char* platformName;
    double strength; // the player's usual three-dart average
};

struct DemoLeague {
    const char* name;
    DemoPlayer players[playersPerLeague];
};

const DemoLeague demoLeagues[leagueCount] = {
    {"Bezirksliga Nord",
     {{"Doppelkalle", "kalle_d16", 71.5},
      {"Triple20Tom", "tom.t20", 68.0},
      {"Bullseye-Bine", "bine_bull", 64.5},
      {"Checkout-Charly", "charly_co", 62.0},
      {"Nordlicht", "nordlicht88", 59.5},
      {"Pfeilwurf-Paul", "paul.pfeil", 57.0},
      {"Leg-Lena", "lena_legs", 54.5},
      {"Dartmoor", "dartmoor", 51.0}}},
    {"Bezirksliga S\u00fcd",
     {{"Shanghai-Sven", "sven_sh", 63.0},
      {"Madhouse-Mia", "mia_d1", 60.5},
      {"Robin Hood", "robinhood", 58.5},
      {"Tops-Tanja", "tanja_tops", 56.0},
      {"Bogey-Ben", "ben159", 53.5},
      {"Schwarzwald-Steffi", "steffi_sw", 51.0},
      {"Oche-Otto", "otto_oche", 48.5},
      {"Marker-Mats", "mats_m", 45.0}}},
};

// Players in the pool, in no league yet.
const DemoPlayer pool[] = {{"Neuling-Nina", "nina_neu", 0}, {"Wartebank-Walter", "walter_wb", 0}};

// Every match is played over eight legs, so a 4:4 draw can happen.
constexpr int legsPerMatch = 8;

// Draws the figures of the matches; seeded, so the demo league is the same every time.
class Dice {
public:
    double uniform() { return double(engine()) / 4294967296.0; }
    int between(int low, int high) { return low + int(uniform() * (high - low + 1)); }
    double normal() {
        // Box-Muller, so that the figures do not depend on the standard library's distributions.
        const double u = 1.0 - uniform();
        return std::sqrt(-2.0 * std::log(u)) * std::cos(6.283185307179586 * uniform());
    }

private:
    std::mt19937 engine{20240917u};
};

// Score bands of one visit, in the order of the form's fields from "20-" to "180".
constexpr resultentry::Field bands[] = {
    resultentry::Minus20, resultentry::Plus20,  resultentry::Plus40,  resultentry::Plus60,   resultentry::Plus80,
    resultentry::Plus100, resultentry::Plus140, resultentry::Plus171, resultentry::Count180,
};

resultentry::Field bandOf(int score) {
    constexpr int lowerBounds[] = {0, 20, 40, 60, 80, 100, 140, 171, 180};
    int band = 0;
    while (band + 1 < int(std::size(lowerBounds)) && score >= lowerBounds[band + 1])
        ++band;
    return bands[band];
}

// A checkout that can be thrown with three darts (not 159, 162, 163, 165, 166, 168 or 169): mostly a
// small one, a big one the more likely the better the player.
int checkout(double average, Dice& dice) {
    const double reach = std::min(1.0, average / 75.0);
    for (;;) {
        const int score = 6 + int(std::pow(dice.uniform(), 3.0) * 164.0 * reach);
        if (score <= 158 || score == 160 || score == 161 || score == 164 || score == 167 || score == 170)
            return score;
    }
}

// The score of one visit: spread around the average, with more high scores than low ones.
int visitScore(double average, Dice& dice) {
    // A 180 comes more often than the spread of the other scores would give it.
    if (dice.uniform() < std::pow(std::max(0.0, average - 40.0), 2.0) / 100000.0)
        return 180;
    const double spread = dice.normal();
    const int score = int(std::lround(average - 3.6 + 30.0 * spread * (spread > 0 ? 1.3 : 1.0)));
    if (score > 170) // few scores above 170 can be thrown at all
        return dice.uniform() < 0.15 ? 171 : 140;
    return std::max(0, score);
}

// One player's side of a match, as the result form holds it.
struct Side {
    double average = 0;
    int legs = 0;
    int visits = 0;
    int highestFinish = 0;
    int doublesThrown = 0;
    int bestLeg = 0; // fewest darts in a won leg, 0 without one
};

SideTexts textsOf(const Side& side, Dice& dice) {
    SideTexts t;
    int counts[resultentry::FieldCount] = {};
    for (int v = 0; v < side.visits; ++v)
        ++counts[bandOf(visitScore(side.average, dice))];
    for (const resultentry::Field f : bands)
        t[f] = QString::number(counts[f]);
    t[resultentry::Legs] = QString::number(side.legs);
    t[resultentry::Average] = QString::number(side.average, 'f', 2);
    t[resultentry::First9Average] = QString::number(side.average + 2.0 + 6.0 * dice.uniform(), 'f', 2);
    t[resultentry::HighestFinish] = QString::number(side.highestFinish);
    t[resultentry::DoublesHit] = QString::number(side.legs);
    t[resultentry::DoublesThrown] = QString::number(side.doublesThrown);
    t[resultentry::BestLeg] = QString::number(side.bestLeg);
    return t;
}

// Plays one match leg by leg between players of the given strengths.
std::pair<SideTexts, SideTexts> playMatch(double homeStrength, double awayStrength, Dice& dice) {
    Side sides[2];
    sides[0].average = std::max(25.0, homeStrength + 5.0 * dice.normal());
    sides[1].average = std::max(25.0, awayStrength + 5.0 * dice.normal());
    const double homeChance = 1.0 / (1.0 + std::pow(sides[1].average / sides[0].average, 5.0));
    for (int leg = 0; leg < legsPerMatch; ++leg) {
        const int winner = dice.uniform() < homeChance ? 0 : 1;
        Side& w = sides[winner];
        Side& l = sides[1 - winner];
        const int visits = std::max(4, int(std::lround(501.0 / w.average * (0.85 + 0.35 * dice.uniform()))));
        const int darts = 3 * (visits - 1) + dice.between(1, 3);
        w.legs += 1;
        w.visits += visits;
        const bool winnerBegan = winner == leg % 2; // the players begin the legs in turn
        l.visits += winnerBegan ? visits - 1 : visits;
        w.highestFinish = std::max(w.highestFinish, checkout(w.average, dice));
        w.doublesThrown += dice.between(1, 4);
        l.doublesThrown += dice.between(0, 2);
        w.bestLeg = w.bestLeg == 0 ? darts : std::min(w.bestLeg, darts);
    }
    return {textsOf(sides[0], dice), textsOf(sides[1], dice)};
}

db::Result writeSeason(db::LeagueStore& store, Dice& dice) {
    QHash<Id, double> strengths;
    QList<Id> leagues;
    for (const DemoLeague& league : demoLeagues) {
        Id leagueId = 0;
        if (db::Result r = store.addLeague(QString::fromUtf8(league.name), &leagueId); !r)
            return r;
        leagues.append(leagueId);
        QList<Id> members;
        for (const DemoPlayer& p : league.players) {
            Id playerId = 0;
            if (db::Result r =
                    store.addPlayer(QLatin1StringView(p.forumName), QLatin1StringView(p.platformName), &playerId);
                !r)
                return r;
            strengths.insert(playerId, p.strength);
            members.append(playerId);
        }
        if (db::Result r = store.assignPlayers(members, leagueId); !r)
            return r;
    }
    for (const DemoPlayer& p : pool) {
        if (db::Result r = store.addPlayer(QLatin1StringView(p.forumName), QLatin1StringView(p.platformName)); !r)
            return r;
    }
    for (Id league : leagues) {
        QStringList members;
        for (Id id : store.memberIdsInOrder(league))
            members << QString::number(id);
        if (db::Result r = store.storeSchedule(league, generateSchedule(members, true)); !r)
            return r;
    }
    for (Id league : leagues) {
        for (const Match& m : store.schedule(league)) {
            if (m.day > playedMatchDays)
                continue;
            const auto [home, away] = playMatch(strengths.value(m.home), strengths.value(m.away), dice);
            if (db::Result r = store.saveResult({false, m.id, m.home, m.away, {}, {}}, home, away, Points{}); !r)
                return r;
        }
    }
    return {};
}

} // namespace

db::Result writeDemoLeague(const QString& path) {
    if (QFileInfo::exists(path))
        return db::Result::failure(QStringLiteral("Die Datei gibt es schon."));
    db::Result r;
    {
        db::SqliteStore store;
        r = store.open(path);
        if (r) {
            Dice dice;
            r = store.transaction([&] { return writeSeason(store, dice); });
        }
    }
    if (!r)
        QFile::remove(path);
    return r;
}

} // namespace tavorin
