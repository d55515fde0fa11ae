#include "settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QUrl>

namespace tavorin {

namespace {

// Groups and keys of config.ini. Together with exportKeys() this is the whole file.
constexpr const char* groupDateipfad = "dateipfad";
constexpr const char* groupBezeichnungen = "bezeichnungen";
constexpr const char* groupPunkte = "punkte";
constexpr const char* groupPlattformen = "plattformen";

struct ConfigKey {
    const char* group;
    const char* key;
    const char* firstValue; // nullptr: the database path, known only at run time
};

constexpr ConfigKey keyDbpfad{groupDateipfad, "dbpfad", nullptr};
constexpr ConfigKey keyName1{groupBezeichnungen, "name1", "dart'n-Forum Name"};
constexpr ConfigKey keyName2{groupBezeichnungen, "name2", "Lidarts Name"};
constexpr ConfigKey keyHeim{groupBezeichnungen, "heim", "Heim"};
constexpr ConfigKey keyGast{groupBezeichnungen, "gast", "Gast"};
constexpr ConfigKey keyAnzeige{groupBezeichnungen, "anzeige", "false"};
constexpr ConfigKey keyGewonnen{groupPunkte, "PunkteGewonnen", "2"};
constexpr ConfigKey keyRemis{groupPunkte, "PunkteRemis", "1"};
constexpr ConfigKey keyVerloren{groupPunkte, "PunkteVerloren", "0"};
constexpr ConfigKey keyReihenfolge{groupPunkte, "Reihenfolge", "0"};
constexpr ConfigKey keyKampflos{groupPunkte, "KampflosLegs", "3:0"}; // optional, not in a new file
constexpr ConfigKey keyLidartsApi{groupPlattformen, "lidarts_api", PlatformAddresses::defaultLidartsApi};
constexpr ConfigKey keyLidartsWeb{groupPlattformen, "lidarts_web", PlatformAddresses::defaultLidartsWeb};
constexpr ConfigKey keyProdarterRelay{groupPlattformen, "prodarter_relay", PlatformAddresses::defaultProdarterRelay};
constexpr ConfigKey keyProdarterWeb{groupPlattformen, "prodarter_web", PlatformAddresses::defaultProdarterWeb};
constexpr ConfigKey keyZeitlimit{groupPlattformen, "zeitlimit", "15"}; // optional, not in a new file
// Written when the check box is first clicked, not in a new file.
constexpr ConfigKey keyHeimrecht{"spielplan", "HeimrechtAusgleichen", "false"};
constexpr ConfigKey keyServer{"server", "verbindung", ""};
constexpr const char* groupFenster = "fenster"; // written when the window closes, not in a new file
constexpr ConfigKey keyGeometrie{groupFenster, "geometrie", ""};
constexpr ConfigKey keyVerwaltung{groupFenster, "verwaltung", "false"};

// The groups before and after "exportfenster", in file order.
constexpr ConfigKey leadingKeys[] = {keyDbpfad,  keyName1,    keyName2, keyHeim,     keyGast,
                                     keyAnzeige, keyGewonnen, keyRemis, keyVerloren, keyReihenfolge};
constexpr ConfigKey trailingKeys[] = {keyLidartsApi, keyLidartsWeb, keyProdarterRelay, keyProdarterWeb};

QString path(const ConfigKey& k) {
    return QLatin1StringView(k.group) + QLatin1Char('/') + QLatin1StringView(k.key);
}

QString readText(const QSettings& s, const ConfigKey& k) {
    return s.value(path(k)).toString();
}

// A whole number from `lowest` to `highest`: a missing or empty key gives `missing`, any other text the key's
// default.
int readInt(const QSettings& s, const ConfigKey& k, int lowest, int highest, int missing) {
    const QString text = readText(s, k).trimmed();
    if (text.isEmpty())
        return missing;
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok && value >= lowest && value <= highest ? value : QByteArray(k.firstValue).toInt();
}

// Legs "won:lost", each a whole number from 0 to 99 and the first the larger; anything else gives 3:0.
void readWalkoverLegs(const QSettings& s, Points& points) {
    const QStringList legs = readText(s, keyKampflos).split(QLatin1Char(':'));
    bool wonOk = false, lostOk = false;
    const int won = legs.value(0).trimmed().toInt(&wonOk, 10);
    const int lost = legs.value(1).trimmed().toInt(&lostOk, 10);
    if (legs.size() == 2 && wonOk && lostOk && lost >= 0 && won > lost && won <= 99) {
        points.walkoverWon = won;
        points.walkoverLost = lost;
    }
}

// "true" or "false" in any letter case; anything else gives the key's default.
bool readFlag(const QSettings& s, const ConfigKey& k) {
    const QString text = readText(s, k).trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    return QLatin1String(k.firstValue) == QLatin1String("true");
}

// An address must be an http or https URL with a host; anything else gives the key's default.
QString readAddress(const QSettings& s, const ConfigKey& k) {
    const QString value = readText(s, k);
    const QUrl url(value, QUrl::StrictMode);
    const bool web = url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
    return web && url.isValid() && !url.host().isEmpty() ? value : QString::fromLatin1(k.firstValue);
}

// Joins a configured base and a path without doubling the slash between them.
QString joinUrl(const QString& base, const QString& tail) {
    QString b = base;
    while (b.endsWith(QLatin1Char('/')))
        b.chop(1);
    return b + tail;
}

class IniWriter {
public:
    void add(const char* group, const char* key, const QString& value) {
        if (current != group) {
            if (current)
                text += QLatin1Char('\n');
            text += QLatin1Char('[') + QLatin1StringView(group) + QLatin1String("]\n");
            current = group;
        }
        text += QLatin1StringView(key) + QLatin1Char('=') + iniValueText(value) + QLatin1Char('\n');
    }
    QString text;

private:
    const char* current = nullptr;
};

} // namespace

QString PlatformAddresses::lidartsGameRequest(const QString& gameId) const {
    return joinUrl(lidartsApi, QStringLiteral("/api/game/")) + gameId;
}

QString PlatformAddresses::lidartsGameLink(const QString& hash) const {
    return joinUrl(lidartsWeb, QStringLiteral("/game/")) + hash;
}

QString PlatformAddresses::prodarterRelayRequest() const {
    return prodarterRelay.isEmpty() ? QString() : joinUrl(prodarterRelay, QStringLiteral("/service/prodarter.php"));
}

QString PlatformAddresses::prodarterMatchLink(const QString& hash) const {
    return joinUrl(prodarterWeb, QStringLiteral("/match-history.php?match=")) + hash;
}

QString settingsDirectory() {
    const QSettings probe(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tavorin"),
                          QStringLiteral("application"));
    return QFileInfo(probe.fileName()).absolutePath();
}

QString configFilePath(const QString& settingsDir) {
    return settingsDir + QStringLiteral("/config.ini");
}

QString defaultDatabasePath(const QString& settingsDir) {
    return settingsDir + QStringLiteral("/tavorin.db");
}

namespace {

// The escape QSettings' INI writer gives a control character or a quote; empty for any other character.
QString iniEscape(char16_t ch) {
    switch (ch) {
    case u'\a':
        return QStringLiteral("\\a");
    case u'\b':
        return QStringLiteral("\\b");
    case u'\f':
        return QStringLiteral("\\f");
    case u'\n':
        return QStringLiteral("\\n");
    case u'\r':
        return QStringLiteral("\\r");
    case u'\t':
        return QStringLiteral("\\t");
    case u'\v':
        return QStringLiteral("\\v");
    case u'"':
    case u'\\':
        return QLatin1Char('\\') + QChar(ch);
    default:
        return QString();
    }
}

} // namespace

QString iniValueText(const QString& value) {
    // Mirrors the escaping of QSettings' INI writer for string values.
    QString out;
    if (value.startsWith(QLatin1Char('@')))
        out += QLatin1Char('@');
    bool needsQuotes = false;
    bool escapeNextIfHexDigit = false;
    for (const QChar qc : value) {
        const char16_t ch = qc.unicode();
        if (ch == u';' || ch == u',' || ch == u'=')
            needsQuotes = true;
        const bool hexDigit = (ch >= u'0' && ch <= u'9') || (ch >= u'a' && ch <= u'f') || (ch >= u'A' && ch <= u'F');
        if (escapeNextIfHexDigit && hexDigit) {
            out += QStringLiteral("\\x") + QString::number(ch, 16);
            continue;
        }
        escapeNextIfHexDigit = false;
        if (const QString escaped = iniEscape(ch); !escaped.isEmpty()) {
            out += escaped;
        } else if (ch == u'\0') {
            out += QStringLiteral("\\0");
            escapeNextIfHexDigit = true;
        } else if (ch <= 0x1F) {
            out += QStringLiteral("\\x") + QString::number(ch, 16);
            escapeNextIfHexDigit = true;
        } else {
            out += qc;
        }
    }
    if (needsQuotes || out.startsWith(QLatin1Char(' ')) || out.endsWith(QLatin1Char(' ')))
        out = QLatin1Char('"') + out + QLatin1Char('"');
    return out;
}

bool writeDefaultConfig(const QString& configPath, const QString& databasePath) {
    // QSettings sorts groups and keys when it writes; a new file is written by hand so that it lists
    // them in the order the program documents them.
    IniWriter ini;
    for (const ConfigKey& k : leadingKeys)
        ini.add(k.group, k.key, k.firstValue ? QString::fromLatin1(k.firstValue) : databasePath);
    for (const ExportKey& k : exportKeys())
        ini.add(exportGroup, k.key, QString::fromLatin1(k.firstValue));
    for (const ConfigKey& k : trailingKeys)
        ini.add(k.group, k.key, QString::fromLatin1(k.firstValue));

    if (!QDir().mkpath(QFileInfo(configPath).absolutePath()))
        return false;
    QSaveFile file(configPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(ini.text.toUtf8());
    return file.commit();
}

ProgramSettings readConfig(const QString& configPath) {
    QSettings s(configPath, QSettings::IniFormat);
    ProgramSettings out;
    out.dbpfad = readText(s, keyDbpfad);
    out.captions.name1 = readText(s, keyName1);
    out.captions.name2 = readText(s, keyName2);
    out.captions.heim = readText(s, keyHeim);
    out.captions.gast = readText(s, keyGast);
    out.captions.anzeige = readFlag(s, keyAnzeige);
    // Points beyond three digits could overflow the sums of a league table.
    out.points.gewonnen = readInt(s, keyGewonnen, -999, 999, 0);
    out.points.remis = readInt(s, keyRemis, -999, 999, 0);
    out.points.verloren = readInt(s, keyVerloren, -999, 999, 0);
    out.points.reihenfolge = static_cast<TieBreak>(readInt(s, keyReihenfolge, 0, 1, 0));
    readWalkoverLegs(s, out.points);
    readExportSettings(s, out.exports);
    out.platforms.lidartsApi = readAddress(s, keyLidartsApi);
    out.platforms.lidartsWeb = readAddress(s, keyLidartsWeb);
    out.platforms.prodarterRelay = readAddress(s, keyProdarterRelay);
    out.platforms.prodarterWeb = readAddress(s, keyProdarterWeb);
    out.platforms.timeoutSeconds = readInt(s, keyZeitlimit, 1, 3600, out.platforms.timeoutSeconds);
    out.balanceHomeAway = readFlag(s, keyHeimrecht);
    out.server = s.value(path(keyServer)).toString().trimmed();
    return out;
}

ProgramSettings loadStartupSettings(const QString& settingsDir) {
    const QString config = configFilePath(settingsDir);
    const QString fallback = defaultDatabasePath(settingsDir);
    if (!QFileInfo(config).isFile()) {
        writeDefaultConfig(config, fallback);
        ProgramSettings builtIn;
        builtIn.dbpfad = fallback;
        return builtIn;
    }
    ProgramSettings read = readConfig(config);
    if (read.dbpfad.isEmpty()) {
        read.dbpfad = fallback;
        storeDatabasePath(config, fallback);
    }
    return read;
}

void storeDatabasePath(const QString& configPath, const QString& databasePath) {
    QSettings s(configPath, QSettings::IniFormat);
    s.setValue(path(keyDbpfad), databasePath);
}

void storeServerConnection(const QString& configPath, const QString& uri) {
    QSettings s(configPath, QSettings::IniFormat);
    s.setValue(path(keyServer), uri);
}

void storeHomeAwayBalance(const QString& configPath, bool balance) {
    QSettings s(configPath, QSettings::IniFormat);
    s.setValue(path(keyHeimrecht), balance);
}

void storeDialogValues(const QString& configPath, const DialogValues& v) {
    QSettings s(configPath, QSettings::IniFormat);
    s.setValue(path(keyName1), v.name1);
    s.setValue(path(keyName2), v.name2);
    s.setValue(path(keyHeim), v.heim);
    s.setValue(path(keyGast), v.gast);
    s.setValue(path(keyAnzeige), v.anzeige);
    s.setValue(path(keyGewonnen), v.gewonnen);
    s.setValue(path(keyRemis), v.remis);
    s.setValue(path(keyVerloren), v.verloren);
    s.setValue(path(keyReihenfolge), QString::number(static_cast<int>(v.reihenfolge)));
}

WindowState readWindowState(const QString& configPath) {
    const QSettings s(configPath, QSettings::IniFormat);
    return {QByteArray::fromBase64(readText(s, keyGeometrie).toLatin1()), s.value(path(keyVerwaltung)).toBool()};
}

bool storeWindowState(const QString& configPath, const WindowState& state) {
    QFile file(configPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // QSettings would sort every group when it writes; the old group is cut out by hand instead.
    const QString header = QLatin1Char('[') + QLatin1StringView(groupFenster) + QLatin1Char(']');
    QStringList kept;
    bool inGroup = false;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('[')))
            inGroup = line.trimmed() == header;
        if (!inGroup)
            kept.append(line);
    }
    file.close();
    while (!kept.isEmpty() && kept.constLast().trimmed().isEmpty())
        kept.removeLast();

    IniWriter ini;
    ini.add(groupFenster, keyGeometrie.key, QString::fromLatin1(state.geometry.toBase64()));
    ini.add(groupFenster, keyVerwaltung.key, state.administration ? QStringLiteral("true") : QStringLiteral("false"));
    QSaveFile out(configPath);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const QString before = kept.isEmpty() ? QString() : kept.join(QLatin1Char('\n')) + QStringLiteral("\n\n");
    out.write((before + ini.text).toUtf8());
    return out.commit();
}

} // namespace tavorin
