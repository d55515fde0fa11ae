// config.ini as the program writes and reads it, the umlaut escapes and the platform addresses.
#include "app/settings.h"
#include "app/textescape.h"
#include "testenv.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTest>

using namespace tavorin;

namespace {

QString readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void escapes_data();
    void escapes();
    void newConfigFile();
    void valuesRoundTripLikeQSettings_data();
    void valuesRoundTripLikeQSettings();
    void readingAnExistingFile();
    void missingGroupsFallBack();
    void startupFirstAndSecondRun();
    void startupWithoutDatabasePath_data();
    void startupWithoutDatabasePath();
    void dialogValuesAreStoredAsTyped();
    void platformAddresses();
    void hostileValuesFallBack();
};

void TestSettings::escapes_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("oe") << "Spieler l:oe:schen" << QString::fromUtf8("Spieler löschen");
    QTest::newRow("sz") << "Fenster schlie:sz:en" << QString::fromUtf8("Fenster schließen");
    QTest::newRow("Ae at start") << ":Ae:nderungen werden erst nach Neustart wirksam!"
                                 << QString::fromUtf8("Änderungen werden erst nach Neustart wirksam!");
    QTest::newRow("all seven") << ":ae::oe::ue::Ae::Oe::Ue::sz:" << QString::fromUtf8("äöüÄÖÜß");
    QTest::newRow("repeated") << "M:ue:ller, M:ue:ller" << QString::fromUtf8("Müller, Müller");
    QTest::newRow("other case") << ":aE: :AE: :SZ: :oE:"
                                << ":aE: :AE: :SZ: :oE:";
    QTest::newRow("shared colon") << "x:ae:oe:y" << QString::fromUtf8("xäoe:y");
    QTest::newRow("no escapes") << "  Kenndaten  "
                                << "  Kenndaten  ";
    QTest::newRow("empty") << ""
                           << "";
}

void TestSettings::escapes() {
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QCOMPARE(replaceUmlautEscapes(stored), shown);
}

void TestSettings::newConfigFile() {
    TempSettings env;
    QVERIFY(writeDefaultConfig(env.configPath(), QStringLiteral("/data/Tavorin/tavorin.db")));
    // Groups in this order, each key on a line of its own in the documented order ("~" stands for a blank).
    const QStringList groups = {
        "[dateipfad] dbpfad=/data/Tavorin/tavorin.db",
        "[bezeichnungen] name1=dart'n-Forum~Name name2=Lidarts~Name heim=Heim gast=Gast anzeige=false",
        "[punkte] PunkteGewonnen=2 PunkteRemis=1 PunkteVerloren=0 Reihenfolge=0",
        "[exportfenster] unentschieden=#ffffdd gewonnen=#ddffdd verloren=#ffdddd linie1=#000000 linie2=#000000 "
        "linie3=#000000 linieB1=1 linieB2=1 linieB3=1 name1a=true name2a=true name3a=true name1b=false name2b=false "
        "name3b=false TabBreite1Prozent=true TabBreite1Pixel=false TabBreite1Value=100 TabBreite2Prozent=true "
        "TabBreite2Pixel=false TabBreite2Value=100 TabBreite3Prozent=true TabBreite3Pixel=false TabBreite3Value=100 "
        "TabLinks=true TabZentriert=true TabLinksZentriert=true StatLinks=false StatZentriert=false "
        "StatLinksZentriert=false StatAktDatum=false TabAktDatum=false StagAktDatum=false",
        "[plattformen] lidarts_api=https://lidarts.org lidarts_web=https://lidarts.org prodarter_relay= "
        "prodarter_web=http://www.pro-darter.com",
    };
    QStringList sections;
    for (const QString& g : groups)
        sections << g.split(' ').join('\n').replace('~', ' ') + '\n';
    const QString expected = sections.join('\n');
    QCOMPARE(readFile(env.configPath()), expected);

    // QSettings reads the hand-written file like one of its own.
    QSettings s(env.configPath(), QSettings::IniFormat);
    QCOMPARE(s.status(), QSettings::NoError);
    QCOMPARE(s.value("bezeichnungen/name1").toString(), QStringLiteral("dart'n-Forum Name"));
    QCOMPARE(s.value("exportfenster/TabBreite2Value").toString(), QStringLiteral("100"));
    QCOMPARE(s.childGroups().size(), 5);
}

void TestSettings::valuesRoundTripLikeQSettings_data() {
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << "/home/anna/Tavorin/tavorin.db";
    QTest::newRow("blank inside") << "/home/anna/Meine Ligen/liga.db";
    QTest::newRow("leading blank") << " /x.db";
    QTest::newRow("trailing blank") << "/x.db ";
    QTest::newRow("semicolon") << "/a;b.db";
    QTest::newRow("comma and equals") << "/a,b=c.db";
    QTest::newRow("quote") << "/a\"b.db";
    QTest::newRow("backslashes") << "C:\\Users\\Anna\\liga.db";
    QTest::newRow("at sign first") << "@liga.db";
    QTest::newRow("umlauts") << QString::fromUtf8("/home/jürgen/Größe.db");
    QTest::newRow("tab") << "/a\tb.db";
    QTest::newRow("control then hex digit") << QStringLiteral("/a\x01"
                                                              "bc.db");
    QTest::newRow("hash") << "#ffffdd";
    QTest::newRow("empty") << "";
}

void TestSettings::valuesRoundTripLikeQSettings() {
    QFETCH(QString, value);
    TempSettings env;
    QVERIFY(writeDefaultConfig(env.configPath(), value));
    QCOMPARE(QSettings(env.configPath(), QSettings::IniFormat).value("dateipfad/dbpfad").toString(), value);

    // The same line as QSettings writes for the value.
    const QString own = env.root() + QStringLiteral("/own.ini");
    {
        QSettings s(own, QSettings::IniFormat);
        s.setValue("dateipfad/dbpfad", value);
    }
    const QString line = readFile(own).split(QLatin1Char('\n')).value(1);
    QCOMPARE(readFile(env.configPath()).split(QLatin1Char('\n')).value(1), line);
}

void TestSettings::readingAnExistingFile() {
    TempSettings env;
    QDir().mkpath(env.dir());
    writeFile(env.configPath(), "[dateipfad]\ndbpfad=/srv/ligen/herbst.db\n"
                                "[bezeichnungen]\nname1=Forum\nname2=Online\nheim=Haus\ngast=Besuch\nanzeige=true\n"
                                "[punkte]\nPunkteGewonnen=3\nPunkteRemis=x\nReihenfolge=1\n"
                                "[exportfenster]\ngewonnen=#00ff00\nTabLinks=\nTabZentriert=true\nStatLinks=false\n"
                                "linieB2=4\n"
                                "[plattformen]\nlidarts_api=http://127.0.0.1:4711\nlidarts_web=\n");
    const ProgramSettings s = readConfig(env.configPath());
    QCOMPARE(s.dbpfad, QStringLiteral("/srv/ligen/herbst.db"));
    QCOMPARE(s.captions.name1, QStringLiteral("Forum"));
    QCOMPARE(s.captions.name2, QStringLiteral("Online"));
    QCOMPARE(s.captions.heim, QStringLiteral("Haus"));
    QCOMPARE(s.captions.gast, QStringLiteral("Besuch"));
    QCOMPARE(s.captions.anzeige, true);
    QCOMPARE(s.points.gewonnen, 3);
    QCOMPARE(s.points.remis, 1);    // not a whole number: the default
    QCOMPARE(s.points.verloren, 0); // missing
    QCOMPARE(s.points.reihenfolge, TieBreak::HeadToHead);
    QCOMPARE(s.exports.gewonnen, QStringLiteral("#00ff00"));
    QCOMPARE(s.exports.unentschieden, QStringLiteral("#ffffdd")); // missing: initial value
    QCOMPARE(s.exports.TabLinks, true);                           // empty: ignored, not false
    QCOMPARE(s.exports.TabZentriert, true);
    QCOMPARE(s.exports.StatLinks, false);
    QCOMPARE(s.exports.linieB2, QStringLiteral("4"));
    QCOMPARE(s.platforms.lidartsApi, QStringLiteral("http://127.0.0.1:4711"));
    QCOMPARE(s.platforms.lidartsWeb, QStringLiteral("https://lidarts.org")); // empty: default
    QCOMPARE(s.platforms.prodarterRelay, QString());
    QCOMPARE(s.platforms.prodarterWeb, QStringLiteral("http://www.pro-darter.com"));
}

void TestSettings::missingGroupsFallBack() {
    TempSettings env;
    QDir().mkpath(env.dir());
    writeFile(env.configPath(), "[dateipfad]\ndbpfad=/x.db\n");
    const ProgramSettings s = readConfig(env.configPath());
    QCOMPARE(s.captions.name1, QString());
    QCOMPARE(s.captions.heim, QString());
    QCOMPARE(s.captions.anzeige, false);
    QCOMPARE(s.points.gewonnen, 0);
    QCOMPARE(s.points.remis, 0);
    QCOMPARE(s.points.verloren, 0);
    QCOMPARE(s.points.reihenfolge, TieBreak::LegDifference);
    const ExportSettings initial;
    for (const ExportKey& k : exportKeys()) {
        if (k.text)
            QCOMPARE(s.exports.*k.text, initial.*k.text);
        else
            QCOMPARE(s.exports.*k.flag, initial.*k.flag);
    }
    QCOMPARE(s.platforms.lidartsApi, QStringLiteral("https://lidarts.org"));
}

void TestSettings::startupFirstAndSecondRun() {
    TempSettings env;
    QVERIFY(!QFile::exists(env.configPath()));

    const ProgramSettings first = loadStartupSettings(settingsDirectory());
    QCOMPARE(settingsDirectory(), env.dir());
    QVERIFY(QFile::exists(env.configPath()));
    QCOMPARE(first.dbpfad, env.defaultDatabase());
    QCOMPARE(first.captions.heim, QStringLiteral("Spieler 1"));
    QCOMPARE(first.captions.gast, QStringLiteral("Spieler 2"));
    QCOMPARE(first.points.gewonnen, 2);
    QCOMPARE(first.exports.TabZentriert, false);
    QCOMPARE(first.exports.StatLinks, true);

    const ProgramSettings second = loadStartupSettings(env.dir());
    QCOMPARE(second.dbpfad, env.defaultDatabase());
    QCOMPARE(second.captions.name1, QStringLiteral("dart'n-Forum Name"));
    QCOMPARE(second.captions.heim, QStringLiteral("Heim"));
    QCOMPARE(second.captions.gast, QStringLiteral("Gast"));
    QCOMPARE(second.points.gewonnen, 2);
    QCOMPARE(second.points.remis, 1);
    QCOMPARE(second.points.verloren, 0);
    QCOMPARE(second.exports.TabLinks, true);
    QCOMPARE(second.exports.TabZentriert, true);
    QCOMPARE(second.exports.TabLinksZentriert, true);
    QCOMPARE(second.exports.StatLinks, false);
}

void TestSettings::startupWithoutDatabasePath_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty value") << QByteArray("[dateipfad]\ndbpfad=\n[punkte]\nPunkteGewonnen=3\n");
    QTest::newRow("missing key") << QByteArray("[punkte]\nPunkteGewonnen=3\n");
}

void TestSettings::startupWithoutDatabasePath() {
    QFETCH(QByteArray, content);
    TempSettings env;
    QDir().mkpath(env.dir());
    writeFile(env.configPath(), content);
    const ProgramSettings s = loadStartupSettings(env.dir());
    QCOMPARE(s.dbpfad, env.defaultDatabase());
    QCOMPARE(s.points.gewonnen, 3);
    QSettings file(env.configPath(), QSettings::IniFormat);
    QCOMPARE(file.value("dateipfad/dbpfad").toString(), env.defaultDatabase());
    QCOMPARE(file.value("punkte/PunkteGewonnen").toString(), QStringLiteral("3"));
}

void TestSettings::dialogValuesAreStoredAsTyped() {
    TempSettings env;
    QVERIFY(writeDefaultConfig(env.configPath(), env.defaultDatabase()));
    DialogValues v;
    v.name1 = QStringLiteral("Forum");
    v.name2 = QString();
    v.heim = QStringLiteral("Heim");
    v.gast = QStringLiteral("Gast");
    v.anzeige = true;
    v.gewonnen = QStringLiteral("3");
    v.remis = QStringLiteral("eins");
    v.verloren = QStringLiteral("0");
    v.reihenfolge = TieBreak::HeadToHead;
    storeDialogValues(env.configPath(), v);

    QSettings file(env.configPath(), QSettings::IniFormat);
    QCOMPARE(file.value("bezeichnungen/name2").toString(), QString());
    QCOMPARE(file.value("bezeichnungen/anzeige").toString(), QStringLiteral("true"));
    QCOMPARE(file.value("punkte/PunkteRemis").toString(), QStringLiteral("eins"));
    QCOMPARE(file.value("punkte/Reihenfolge").toString(), QStringLiteral("1"));
    QCOMPARE(file.value("exportfenster/TabZentriert").toString(), QStringLiteral("true")); // other groups stay

    const ProgramSettings next = readConfig(env.configPath());
    QCOMPARE(next.captions.name1, QStringLiteral("Forum"));
    QCOMPARE(next.captions.anzeige, true);
    QCOMPARE(next.points.gewonnen, 3);
    QCOMPARE(next.points.remis, 1);
    QCOMPARE(next.dbpfad, env.defaultDatabase());
}

void TestSettings::platformAddresses() {
    PlatformAddresses p;
    QCOMPARE(p.lidartsGameRequest("q7Rk2xLp"), QStringLiteral("https://lidarts.org/api/game/q7Rk2xLp"));
    QCOMPARE(p.lidartsGameLink("q7Rk2xLp"), QStringLiteral("https://lidarts.org/game/q7Rk2xLp"));
    QCOMPARE(p.prodarterMatchLink("123"), QStringLiteral("http://www.pro-darter.com/match-history.php?match=123"));
    QCOMPARE(p.prodarterRelayRequest(), QString()); // not configured

    p.lidartsApi = QStringLiteral("http://127.0.0.1:4711/");
    p.prodarterRelay = QStringLiteral("http://127.0.0.1:4712/relay");
    QCOMPARE(p.lidartsGameRequest("abc"), QStringLiteral("http://127.0.0.1:4711/api/game/abc"));
    QCOMPARE(p.prodarterRelayRequest(), QStringLiteral("http://127.0.0.1:4712/relay/service/prodarter.php"));
}

void TestSettings::hostileValuesFallBack() {
    TempSettings env;
    QDir().mkpath(env.dir());
    writeFile(env.configPath(), "[bezeichnungen]\nanzeige=ja\n[punkte]\nPunkteGewonnen=2.5\nPunkteRemis=1e9\n"
                                "PunkteVerloren=-1\nReihenfolge=2\n[exportfenster]\nname1a=nein\nname1b=TRUE\n"
                                "linie1=\"red;background:url(x)\"\nverloren=#12345g\ngewonnen=#ABCDEF\nlinieB1=10\n"
                                "linieB2=9\nTabBreite1Value=80%\nTabBreite2Value=px\n[plattformen]\n"
                                "lidarts_web=javascript:alert(1)\nprodarter_relay=relay.test\nzeitlimit=99999999\n");
    const ProgramSettings s = readConfig(env.configPath());
    const ExportSettings initial;
    QCOMPARE(s.captions.anzeige, false);
    QCOMPARE(s.points.gewonnen, 2);
    QCOMPARE(s.points.remis, 1);
    QCOMPARE(s.points.verloren, -1);
    QCOMPARE(s.points.reihenfolge, TieBreak::LegDifference);
    QCOMPARE(s.exports.name1a, initial.name1a);
    QCOMPARE(s.exports.name1b, true);
    QCOMPARE(s.exports.linie1, initial.linie1);
    QCOMPARE(s.exports.verloren, initial.verloren);
    QCOMPARE(s.exports.gewonnen, QStringLiteral("#ABCDEF"));
    QCOMPARE(s.exports.linieB1, initial.linieB1);
    QCOMPARE(s.exports.linieB2, QStringLiteral("9"));
    QCOMPARE(s.exports.TabBreite1Value, QStringLiteral("80"));
    QCOMPARE(s.exports.TabBreite2Value, QString());
    QCOMPARE(s.platforms.lidartsWeb, QStringLiteral("https://lidarts.org"));
    QCOMPARE(s.platforms.prodarterRelay, QString());
    QCOMPARE(s.platforms.timeoutSeconds, 15);
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
