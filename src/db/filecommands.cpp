#include "filecommands.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace tavorin::db {

namespace {

// The failure of `device` on `path`. The error number is read at once, before anything else can change it.
Result failed(const QString& path, const QFileDevice& device) {
    const int errorNumber = errno;
    return Result::failure(path + QStringLiteral(": ") + fileErrorReason(errorNumber, device.errorString()));
}

} // namespace

bool isSameFile(const QString& first, const QString& second) {
    const QString a = QFileInfo(first).canonicalFilePath();
    return !a.isEmpty() && a == QFileInfo(second).canonicalFilePath();
}

QString fileErrorReason(int errorNumber, const QString& systemText) {
    switch (errorNumber) {
    case ENOSPC:
    case EDQUOT:
        return QString::fromUtf8("nicht genügend Speicherplatz");
    case EFBIG:
        return QString::fromUtf8("die Datei würde größer, als das System erlaubt");
    case EACCES:
    case EPERM:
        return QStringLiteral("keine Berechtigung");
    case EROFS:
        return QString::fromUtf8("der Datenträger ist schreibgeschützt");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("Datei oder Ordner nicht gefunden");
    default:
        break;
    }
    // Any other number with the system's own text for it; never a bare "unknown error".
    const QString text = errorNumber != 0 ? QString::fromLocal8Bit(std::strerror(errorNumber)) : systemText;
    if (text.isEmpty() || text.startsWith(QLatin1String("Unknown error")))
        return errorNumber != 0 ? QStringLiteral("Fehler Nummer %1 des Systems").arg(errorNumber)
                                : QStringLiteral("das System hat keinen Grund genannt");
    return QStringLiteral("Fehler beim Zugriff auf die Datei (%1)").arg(text);
}

void ignoreFileSizeSignal() {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

QString openFailureReason(const QString& path, const QString& otherwise) {
    errno = 0;
    QFile file(path);
    if (file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return otherwise;
    const int errorNumber = errno;
    return fileErrorReason(errorNumber, file.errorString());
}

Result copyDatabaseFile(const QString& source, const QString& target) {
    if (isSameFile(source, target))
        return {};
    errno = 0;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return failed(source, in);
    // QSaveFile writes into a temporary file in the target's folder and renames it over the target on
    // commit; without a commit the temporary file is removed and the target stays untouched. Unbuffered,
    // every write reaches the system at once, so that a full disk is seen at the write that meets it.
    errno = 0;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(target, out);
    while (!in.atEnd()) {
        errno = 0;
        const QByteArray block = in.read(1 << 16);
        if (block.isEmpty()) {
            if (in.error() != QFileDevice::NoError)
                return failed(source, in);
            break;
        }
        errno = 0;
        if (out.write(block) != block.size())
            return failed(target, out);
    }
    errno = 0;
    if (!out.commit())
        return failed(target, out);
    return {};
}

} // namespace tavorin::db
