#include "league/schedule.h"

namespace tavorin {

namespace {

// Whether the member at the lower `position` of a pair plays at home on `day` when home and away are
// balanced. Every member moves on by one position a day, and each side follows the parity of the position,
// so sides alternate. With an even count the step from the circle's end back to position 1 would repeat a
// side; the match against the fixed member at position 0 comes in between and its side changes with the
// day, so a side is repeated at most once. With an odd count the bye comes in between, and nobody repeats.
bool leftAtHome(qsizetype position, int day, bool even) {
    if (!even)
        return position % 2 == 1;
    return position == 0 ? day % 2 == 1 : position % 2 == 0;
}

} // namespace

int firstRoundMatchDays(int memberCount) {
    if (memberCount <= 0)
        return 0;
    return memberCount % 2 == 0 ? memberCount - 1 : memberCount;
}

QList<ScheduleRow> generateSchedule(const QStringList& members, bool withReturnRound, bool balanceHomeAway) {
    const qsizetype n = members.size();
    const bool even = n % 2 == 0;
    const qsizetype pairsPerDay = n / 2;
    const qsizetype lastPlaying = even ? n - 1 : n - 2; // the opponent of position 0
    const int days = firstRoundMatchDays(int(n));

    QList<ScheduleRow> rows;
    if (pairsPerDay == 0)
        return rows;
    rows.reserve(days * pairsPerDay * (withReturnRound ? 2 : 1));

    QStringList circle = members;
    for (int day = 1; day <= days; ++day) {
        // Turn the circle before pairing, on the first day too.
        if (even) {
            if (n > 2)
                circle.move(n - 1, 1);
        } else if (n > 1) {
            circle.move(n - 1, 0);
        }
        for (qsizetype i = 0; i < pairsPerDay; ++i) {
            const bool swap = balanceHomeAway && !leftAtHome(i, day, even);
            const QString& home = circle.at(swap ? lastPlaying - i : i);
            const QString& away = circle.at(swap ? i : lastPlaying - i);
            rows.append({day, home, away});
            if (withReturnRound)
                rows.append({days + day, away, home});
        }
    }
    return rows;
}

} // namespace tavorin
