#include "exportsettings.h"

#include <QSettings>

namespace tavorin {

namespace {
using S = ExportSettings;
constexpr ExportKey text(const char* key, const char* first, QString S::*field) {
    return {key, first, field, nullptr};
}
constexpr ExportKey flag(const char* key, const char* first, bool S::*field) {
    return {key, first, nullptr, field};
}
} // namespace

const std::array<ExportKey, 33>& exportKeys() {
    static const std::array<ExportKey, 33> keys = {{
        text("unentschieden", "#ffffdd", &S::unentschieden),
        text("gewonnen", "#ddffdd", &S::gewonnen),
        text("verloren", "#ffdddd", &S::verloren),
        text("linie1", "#000000", &S::linie1),
        text("linie2", "#000000", &S::linie2),
        text("linie3", "#000000", &S::linie3),
        text("linieB1", "1", &S::linieB1),
        text("linieB2", "1", &S::linieB2),
        text("linieB3", "1", &S::linieB3),
        flag("name1a", "true", &S::name1a),
        flag("name2a", "true", &S::name2a),
        flag("name3a", "true", &S::name3a),
        flag("name1b", "false", &S::name1b),
        flag("name2b", "false", &S::name2b),
        flag("name3b", "false", &S::name3b),
        flag("TabBreite1Prozent", "true", &S::TabBreite1Prozent),
        flag("TabBreite1Pixel", "false", &S::TabBreite1Pixel),
        text("TabBreite1Value", "100", &S::TabBreite1Value),
        flag("TabBreite2Prozent", "true", &S::TabBreite2Prozent),
        flag("TabBreite2Pixel", "false", &S::TabBreite2Pixel),
        text("TabBreite2Value", "100", &S::TabBreite2Value),
        flag("TabBreite3Prozent", "true", &S::TabBreite3Prozent),
        flag("TabBreite3Pixel", "false", &S::TabBreite3Pixel),
        text("TabBreite3Value", "100", &S::TabBreite3Value),
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

void readExportSettings(QSettings& settings, ExportSettings& target) {
    settings.beginGroup(QLatin1StringView(exportGroup));
    for (const ExportKey& k : exportKeys()) {
        const QVariant value = settings.value(QLatin1StringView(k.key));
        if (value.toString().isEmpty())
            continue;
        if (k.text)
            target.*k.text = value.toString();
        else
            target.*k.flag = value.toBool();
    }
    settings.endGroup();
}

const ExportKey* findExportKey(const QString& key) {
    for (const ExportKey& k : exportKeys()) {
        if (key == QLatin1StringView(k.key))
            return &k;
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
