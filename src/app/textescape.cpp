#include "textescape.h"

#include <algorithm>

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

namespace {

enum class Unsafe { No, Blank, Removed };

Unsafe unsafe(char16_t c) {
    if (c == u'\t' || (c >= u'\n' && c <= u'\r') || c == 0x85 || c == 0x2028 || c == 0x2029)
        return Unsafe::Blank;
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
        (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069))
        return Unsafe::Removed;
    return Unsafe::No;
}

} // namespace

QString safeName(const QString& text) {
    const auto first =
        std::find_if(text.begin(), text.end(), [](QChar c) { return unsafe(c.unicode()) != Unsafe::No; });
    if (first == text.end())
        return text;
    QString out = text.first(first - text.begin());
    out.reserve(text.size());
    for (auto it = first; it != text.end(); ++it) {
        const Unsafe u = unsafe(it->unicode());
        if (u == Unsafe::No)
            out += *it;
        else if (u == Unsafe::Blank)
            out += u' ';
    }
    return out;
}

} // namespace tavorin
