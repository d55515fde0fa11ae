#include "resultentry.h"

#include "results/numbers.h"

namespace tavorin::resultentry {

namespace {

bool isDecimal(Field f) {
    return f == Average || f == First9Average;
}

// A field's whole number: digits only, empty as 0; -1 when the text is none or above 999,999.
int figure(const QString& text) {
    if (text.size() > 6)
        return -1;
    int value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

bool possibleAverage(QString text) {
    if (text.isEmpty())
        return true;
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && value >= 0.0 && value <= 180.0; // also false for "nan"
}

} // namespace

bool possibleField(const SideTexts& side, Field field) {
    if (isDecimal(field))
        return possibleAverage(side[field]);
    const int value = figure(side[field]);
    if (value < 0)
        return false;
    switch (field) {
    case Legs:
        return value <= 99;
    case HighestFinish:
        return value != 1 && value <= 170;
    case DoublesHit: {
        const int thrown = figure(side[DoublesThrown]);
        return thrown < 0 || value <= thrown;
    }
    case DoublesThrown:
        return true;
    case BestLeg:
        return value == 0 || value >= 9;
    default: // the score bands
        return value <= 999;
    }
}

Field firstImpossibleField(const SideTexts& side) {
    for (int f = 0; f < FieldCount; ++f) {
        if (!possibleField(side, Field(f)))
            return Field(f);
    }
    return FieldCount;
}

MatchOutcome decideOutcome(int legsLeft, int legsRight, const Points& points) {
    if (legsLeft > legsRight)
        return {{1, 0, 0, points.gewonnen}, {0, 0, 1, points.verloren}};
    if (legsLeft < legsRight)
        return {{0, 0, 1, points.verloren}, {1, 0, 0, points.gewonnen}};
    return {{0, 1, 0, points.remis}, {0, 1, 0, points.remis}};
}

} // namespace tavorin::resultentry
