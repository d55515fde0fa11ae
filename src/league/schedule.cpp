#include "league/schedule.h"

namespace tavorin {

int firstRoundMatchDays(int memberCount) {
    if (memberCount <= 0)
        return 0;
    return memberCount % 2 == 0 ? memberCount - 1 : memberCount;
}

QList<ScheduleRow> generateSchedule(const QStringList& members, bool withReturnRound) {
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
            const QString& home = circle.at(i);
            const QString& away = circle.at(lastPlaying - i);
            rows.append({day, home, away});
            if (withReturnRound)
                rows.append({days + day, away, home});
        }
    }
    return rows;
}

} // namespace tavorin
