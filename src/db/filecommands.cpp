#include "filecommands.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tavorin::db {

bool isSameFile(const QString& first, const QString& second) {
    const QString a = QFileInfo(first).canonicalFilePath();
    return !a.isEmpty() && a == QFileInfo(second).canonicalFilePath();
}

Result copyDatabaseFile(const QString& source, const QString& target) {
    if (isSameFile(source, target))
        return {};
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return Result::failure(source + QStringLiteral(": ") + in.errorString());
    // QSaveFile writes into a temporary file in the target's folder and renames it over the target on
    // commit; without a commit the temporary file is removed and the target stays untouched.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return Result::failure(target + QStringLiteral(": ") + out.errorString());
    while (!in.atEnd()) {
        const QByteArray block = in.read(1 << 16);
        if (block.isEmpty()) {
            if (in.error() != QFileDevice::NoError)
                return Result::failure(source + QStringLiteral(": ") + in.errorString());
            break;
        }
        if (out.write(block) != block.size())
            return Result::failure(target + QStringLiteral(": ") + out.errorString());
    }
    if (!out.commit())
        return Result::failure(target + QStringLiteral(": ") + out.errorString());
    return {};
}

} // namespace tavorin::db
