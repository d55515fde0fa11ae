#include "exportsettings.h"

#include <QSettings>

#include <algorithm>

namespace tavorin {

namespace {
using S = ExportSettings;
constexpr ExportKey colour(const char* key, const char* first, QString S::*field) {
    return {key, first, field, nullptr, ExportText::Colour};
}
constexpr ExportKey thickness(const char* key, const char* first, QString S::*field) {
    return {key, first, field, nullptr, ExportText::Thickness};
}
constexpr ExportKey width(const char* key, const char* first, QString S::*field) {
    return {key, first, field, nullptr, ExportText::Width};
}
constexpr ExportKey format(const char* key, QString S::*field) {
    return {key, "html", field, nullptr, ExportText::Format};
}
constexpr ExportKey flag(const char* key, const char* first, bool S::*field) {
    return {key, first, nullptr, field, ExportText::Colour};
}

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isHexDigit(QChar c) {
    return isAsciiDigit(c) || (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}
} // namespace

bool isColourName(const QString& text) {
    return text.size() == 7 && text.at(0) == QLatin1Char('#') && std::all_of(text.begin() + 1, text.end(), isHexDigit);
}

bool isLineThickness(const QString& text) {
    return text.size() == 1 && isAsciiDigit(text.at(0));
}

QString widthNumber(const QString& text) {
    qsizetype digits = 0;
    while (digits < text.size() && isAsciiDigit(text.at(digits)))
        ++digits;
    if (digits == 0 || digits > 5)
        return QString();
    return QString::number(text.left(digits).toInt());
}

const std::array<ExportKey, 33>& exportKeys() {
    static const std::array<ExportKey, 33> keys = {{
        colour("unentschieden", "#ffffdd", &S::unentschieden),
        colour("gewonnen", "#ddffdd", &S::gewonnen),
        colour("verloren", "#ffdddd", &S::verloren),
        colour("linie1", "#000000", &S::linie1),
        colour("linie2", "#000000", &S::linie2),
        colour("linie3", "#000000", &S::linie3),
        thickness("linieB1", "1", &S::linieB1),
        thickness("linieB2", "1", &S::linieB2),
        thickness("linieB3", "1", &S::linieB3),
        flag("name1a", "true", &S::name1a),
        flag("name2a", "true", &S::name2a),
        flag("name3a", "true", &S::name3a),
        flag("name1b", "false", &S::name1b),
        flag("name2b", "false", &S::name2b),
        flag("name3b", "false", &S::name3b),
        flag("TabBreite1Prozent", "true", &S::TabBreite1Prozent),
        flag("TabBreite1Pixel", "false", &S::TabBreite1Pixel),
        width("TabBreite1Value", "100", &S::TabBreite1Value),
        flag("TabBreite2Prozent", "true", &S::TabBreite2Prozent),
        flag("TabBreite2Pixel", "false", &S::TabBreite2Pixel),
        width("TabBreite2Value", "100", &S::TabBreite2Value),
        flag("TabBreite3Prozent", "true", &S::TabBreite3Prozent),
        flag("TabBreite3Pixel", "false", &S::TabBreite3Pixel),
        width("TabBreite3Value", "100", &S::TabBreite3Value),
        flag("TabLinks", "true", &S::TabLinks),
        flag("TabZentriert", "true", &S::TabZentriert),
        flag("TabLinksZentriert", "true", &S::TabLinksZentriert),
        flag("StatLinks", "false", &S::StatLinks),
        flag("StatZentriert", "false", &S::StatZentriert),
        flag("StatLinksZentriert", "false", &S::StatLinksZentriert),
        flag("StatAktDatum", "false", &S::StatAktDatum),
        flag("TabAktDatum", "false", &S::TabAktDatum),
        flag("StagAktDatum", "false", &S::StagAktDatum),
    }};
    return keys;
}

const std::array<ExportKey, 3>& formatKeys() {
    static const std::array<ExportKey, 3> keys = {{
        format("format1", &S::format1),
        format("format2", &S::format2),
        format("format3", &S::format3),
    }};
    return keys;
}

namespace {

bool isFormat(const QString& text) {
    return text == QLatin1String("html") || text == QLatin1String("bbcode");
}

void readKey(const ExportKey& k, const QString& value, ExportSettings& target) {
    if (k.flag) {
        if (value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            target.*k.flag = true;
        else if (value.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            target.*k.flag = false;
    } else if (k.kind == ExportText::Width) {
        target.*k.text = widthNumber(value);
    } else if (k.kind == ExportText::Format) {
        if (isFormat(value.toLower()))
            target.*k.text = value.toLower();
    } else if (k.kind == ExportText::Colour ? isColourName(value) : isLineThickness(value)) {
        target.*k.text = value;
    }
}

// Every key of the group: the 33 of a new config.ini, then the three formats.
const QList<const ExportKey*>& allKeys() {
    static const QList<const ExportKey*> keys = [] {
        QList<const ExportKey*> all;
        for (const ExportKey& k : exportKeys())
            all << &k;
        for (const ExportKey& k : formatKeys())
            all << &k;
        return all;
    }();
    return keys;
}

} // namespace

void readExportSettings(QSettings& settings, ExportSettings& target) {
    settings.beginGroup(QLatin1StringView(exportGroup));
    for (const ExportKey* k : allKeys()) {
        const QString value = settings.value(QLatin1StringView(k->key)).toString();
        if (!value.isEmpty())
            readKey(*k, value, target);
    }
    settings.endGroup();
}

const ExportKey* findExportKey(const QString& key) {
    for (const ExportKey* k : allKeys()) {
        if (key == QLatin1StringView(k->key))
            return k;
    }
    return nullptr;
}

void setExportFlag(ExportSettings& target, const QString& key, bool value) {
    if (const ExportKey* k = findExportKey(key); k && k->flag)
        target.*k->flag = value;
}

void setExportText(ExportSettings& target, const QString& key, const QString& value) {
    if (const ExportKey* k = findExportKey(key); k && k->text)
        target.*k->text = value;
}

void storeExportKeys(const QString& configPath, const ExportSettings& values, const QStringList& keys) {
    QSettings settings(configPath, QSettings::IniFormat);
    settings.beginGroup(QLatin1StringView(exportGroup));
    for (const QString& key : keys) {
        const ExportKey* k = findExportKey(key);
        if (!k)
            continue;
        if (k->text)
            settings.setValue(key, values.*k->text);
        else
            settings.setValue(key, values.*k->flag);
    }
    settings.endGroup();
}

} // namespace tavorin
