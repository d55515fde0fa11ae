#include "duplicates.h"

namespace tavorin::db {

QString duplicateReport(const QList<Id>& matchIds) {
    QString report = QString::number(matchIds.size()) + QStringLiteral(" Doppelung/en gefunden ");
    for (Id id : matchIds)
        report += QStringLiteral("ID") + QString::number(id) + QLatin1Char(' ');
    return report;
}

} // namespace tavorin::db
