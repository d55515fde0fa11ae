#pragma once

#include <QString>
#include <QStringList>

#include <array>

class QSettings;

namespace tavorin {

// The options of the three export windows, one field per key of the group "exportfenster" in config.ini.
// Window 1 is the league-table window, 2 the statistics window, 3 the schedule window. The initial values
// are the ones in effect until a non-empty key has been read; they differ from the values written into a
// newly created config.ini for TabZentriert, TabLinksZentriert and StatLinks.
struct ExportSettings {
    QString unentschieden = QStringLiteral("#ffffdd");
    QString gewonnen = QStringLiteral("#ddffdd");
    QString verloren = QStringLiteral("#ffdddd");
    QString linie1 = QStringLiteral("#000000");
    QString linie2 = QStringLiteral("#000000");
    QString linie3 = QStringLiteral("#000000");
    QString linieB1 = QStringLiteral("1");
    QString linieB2 = QStringLiteral("1");
    QString linieB3 = QStringLiteral("1");
    bool name1a = true;
    bool name2a = true;
    bool name3a = true;
    bool name1b = false;
    bool name2b = false;
    bool name3b = false;
    bool TabBreite1Prozent = true;
    bool TabBreite1Pixel = false;
    QString TabBreite1Value = QStringLiteral("100");
    bool TabBreite2Prozent = true;
    bool TabBreite2Pixel = false;
    QString TabBreite2Value = QStringLiteral("100");
    bool TabBreite3Prozent = true;
    bool TabBreite3Pixel = false;
    QString TabBreite3Value = QStringLiteral("100");
    bool TabLinks = true;
    bool TabZentriert = false;
    bool TabLinksZentriert = false;
    bool StatLinks = true;
    bool StatZentriert = false;
    bool StatLinksZentriert = false;
    bool StatAktDatum = false;
    bool TabAktDatum = false;
    bool StagAktDatum = false;
    // The format each window opens with, "html" or "bbcode" (keys "format1" to "format3"). They are
    // written when the format is changed, not when config.ini is first created.
    QString format1 = QStringLiteral("html");
    QString format2 = QStringLiteral("html");
    QString format3 = QStringLiteral("html");
};

// What a text key holds; a value read from config.ini must fit it.
enum class ExportText { Colour, Thickness, Width, Format };

// One key of the group: its name, the text written when config.ini is first created, and the field it
// fills (a text field or a flag; exactly one of the two pointers is set), and for a text field its kind.
struct ExportKey {
    const char* key;
    const char* firstValue;
    QString ExportSettings::*text;
    bool ExportSettings::*flag;
    ExportText kind;
};

// A colour name: "#" and six hexadecimal digits.
bool isColourName(const QString& text);
// A line thickness: one digit, 0 to 9.
bool isLineThickness(const QString& text);
// A table width as its leading whole number ("80%" gives "80", " 80" and "abc" give an empty text, as
// does a number of more than five digits), written without leading zeros.
QString widthNumber(const QString& text);

inline constexpr const char* exportGroup = "exportfenster";

// All 33 keys in the order in which a new config.ini lists them.
const std::array<ExportKey, 33>& exportKeys();
// The three format keys, which a new config.ini does not list.
const std::array<ExportKey, 3>& formatKeys();

// Reads the group from settings into `target`. A key that is missing or holds an empty text leaves its
// field as it is, and so does a value that does not fit its key: a flag other than "true" or "false"
// (in any letter case), a colour that is no colour name, a thickness other than 0 to 9, a format other
// than "html" or "bbcode" (in any letter case). A width is read as widthNumber() of its text.
void readExportSettings(QSettings& settings, ExportSettings& target);

// The key of that name (of either list), or nullptr.
const ExportKey* findExportKey(const QString& key);
// Sets the field of a flag key or a text key; an unknown key or one of the other kind changes nothing.
void setExportFlag(ExportSettings& target, const QString& key, bool value);
void setExportText(ExportSettings& target, const QString& key, const QString& value);

// Writes the named keys of the group from `values` into config.ini, flags as "true"/"false".
void storeExportKeys(const QString& configPath, const ExportSettings& values, const QStringList& keys);

} // namespace tavorin
