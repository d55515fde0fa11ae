#include "leaguetypes.h"

namespace tavorin {

QString describeMatchChange(const MatchState& before, const MatchState& now) {
    const char* what = "Das Ergebnis dieses Spiels wurde inzwischen ge\u00e4ndert.";
    if (!now.exists)
        what = "Der Spielplan dieser Liga wurde inzwischen gel\u00f6scht.";
    else if (before.home == now.away && before.away == now.home && now.home != now.away)
        what = "Heim und Gast dieses Spiels wurden inzwischen getauscht.";
    else if (before.home != now.home || before.away != now.away)
        what = "Ein Spieler dieses Spiels wurde inzwischen ersetzt.";
    else if (before.results.isEmpty())
        what = "F\u00fcr dieses Spiel wurde inzwischen ein Ergebnis gespeichert.";
    else if (now.results.isEmpty())
        what = "Das Ergebnis dieses Spiels wurde inzwischen gel\u00f6scht.";
    return QStringLiteral("Ein anderer Organisator hat das Spiel ge\u00e4ndert: ") + QString::fromUtf8(what);
}

} // namespace tavorin
