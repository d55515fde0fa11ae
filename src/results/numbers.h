#pragma once

#include <QString>

namespace tavorin {

// A typed decimal: every "," counts as the decimal point, so "45,5" and "45.5" are both 45.5. Text that
// is no number gives 0.
float textToFloat(QString text);

// A typed whole number in base 10. Text that is no whole number, an empty text or a value outside the
// 32-bit signed range gives 0.
int textToInt(const QString& text);

// A single-precision figure in fixed notation with exactly two decimals ("45.00").
QString twoDecimals(float value);

} // namespace tavorin
