#include "textescape.h"

namespace tavorin {

QString replaceUmlautEscapes(QString text) {
    static const struct {
        QLatin1StringView escape;
        QChar letter;
    } table[] = {
        {QLatin1StringView(":ae:"), QChar(0x00E4)}, {QLatin1StringView(":oe:"), QChar(0x00F6)},
        {QLatin1StringView(":ue:"), QChar(0x00FC)}, {QLatin1StringView(":Ae:"), QChar(0x00C4)},
        {QLatin1StringView(":Oe:"), QChar(0x00D6)}, {QLatin1StringView(":Ue:"), QChar(0x00DC)},
        {QLatin1StringView(":sz:"), QChar(0x00DF)},
    };
    for (const auto& row : table)
        text.replace(row.escape, QString(row.letter), Qt::CaseSensitive);
    return text;
}

} // namespace tavorin
