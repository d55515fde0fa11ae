#include "numbers.h"

namespace tavorin {

float textToFloat(QString text) {
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const float value = text.toFloat(&ok);
    return ok ? value : 0.0f;
}

int textToInt(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

QString twoDecimals(float value) {
    return QString::number(value, 'f', 2);
}

} // namespace tavorin
