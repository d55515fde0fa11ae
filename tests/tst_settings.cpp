// config.ini as the program writes and reads it, the umlaut escapes and the platform addresses.
#include "app/settings.h"
#include "app/textescape.h"
#include "testenv.h"

#include <QTest>

using namespace tavorin;

namespace {

// What start-up took from the file, in a fixed order; flags as "t" or "f".
QString summary(const ProgramSettings& s) {
    const ExportSettings& e = s.exports;
    QString flags;
    for (bool f : {s.captions.anzeige, e.TabLinks, e.TabZentriert, e.StatLinks, e.name1a, e.name1b, s.balanceHomeAway})
        flags += f ? 't' : 'f';
    const Points& p = s.points;
    return (QStringList{s.dbpfad, s.captions.name1, s.captions.name2, s.captions.heim, s.captions.gast, flags,
                        QString::asprintf("%d %d %d %d %d:%d", p.gewonnen, p.remis, p.verloren, int(p.reihenfolge),
                                          p.walkoverWon, p.walkoverLost)}
            << e.gewonnen << e.unentschieden << e.verloren << e.linie1 << e.linieB1 << e.linieB2 << e.TabBreite1Value
            << e.TabBreite2Value << s.platforms.lidartsApi << s.platforms.lidartsWeb << s.platforms.prodarterRelay
            << s.platforms.prodarterWeb << QString::number(s.platforms.timeoutSeconds))
        .join('|');
}

// The export options and platform addresses that hold when config.ini does not say otherwise.
const QString defaults =
    "#ddffdd|#ffffdd|#ffdddd|#000000|1|1|100|100|https://lidarts.org|https://lidarts.org||http://www.pro-darter.com|15";

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void escapes_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("all seven, repeated")
            << ":ae::oe::ue::Ae::Oe::Ue::sz: M:ue:ller" << QString::fromUtf8("äöüÄÖÜß Müller");
        QTest::newRow("other case: none") << ":aE: :AE: :SZ: :oE:" << QString(":aE: :AE: :SZ: :oE:");
        QTest::newRow("shared colon") << "x:ae:oe:y" << QString::fromUtf8("xäoe:y");
    }
    void escapes() {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QCOMPARE(replaceUmlautEscapes(stored), shown);
    }
    void newConfigFile() {
        TempSettings env;
        QVERIFY(writeDefaultConfig(env.configPath(), "/data/Tavorin/tavorin.db"));
        // Groups in this order, each key on a line of its own in the documented order ("~" stands for a blank).
        const QStringList groups = {
            "[dateipfad] dbpfad=/data/Tavorin/tavorin.db",
            "[bezeichnungen] name1=dart'n-Forum~Name name2=Lidarts~Name heim=Heim gast=Gast anzeige=false",
            "[punkte] PunkteGewonnen=2 PunkteRemis=1 PunkteVerloren=0 Reihenfolge=0",
            "[exportfenster] unentschieden=#ffffdd gewonnen=#ddffdd verloren=#ffdddd linie1=#000000 linie2=#000000 "
            "linie3=#000000 linieB1=1 linieB2=1 linieB3=1 name1a=true name2a=true name3a=true name1b=false "
            "name2b=false "
            "name3b=false TabBreite1Prozent=true TabBreite1Pixel=false TabBreite1Value=100 TabBreite2Prozent=true "
            "TabBreite2Pixel=false TabBreite2Value=100 TabBreite3Prozent=true TabBreite3Pixel=false "
            "TabBreite3Value=100 "
            "TabLinks=true TabZentriert=true TabLinksZentriert=true StatLinks=false StatZentriert=false "
            "StatLinksZentriert=false StatAktDatum=false TabAktDatum=false StagAktDatum=false",
            "[plattformen] lidarts_api=https://lidarts.org lidarts_web=https://lidarts.org prodarter_relay= "
            "prodarter_web=http://www.pro-darter.com",
        };
        QStringList sections;
        for (const QString& g : groups)
            sections << g.split(' ').join('\n').replace('~', ' ') + '\n';
        QCOMPARE(QString::fromUtf8(fileContent(env.configPath())), sections.join('\n'));
    }
    void valuesWrittenLikeQSettings_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("blanks first and last") << " /a b.db ";
        QTest::newRow("at sign first") << "@liga.db";
        QTest::newRow("characters QSettings escapes or quotes") << QString::fromUtf8("C:\\Users\\Jürgen;a,b=c\"d\te\x01"
                                                                                     "bc#f.db");
        QTest::newRow("empty") << "";
    }
    // The hand-written file holds the same line as QSettings writes for the value, and reads back as it.
    void valuesWrittenLikeQSettings() {
        QFETCH(QString, value);
        TempSettings env;
        QVERIFY(writeDefaultConfig(env.configPath(), value));
        QCOMPARE(QSettings(env.configPath(), QSettings::IniFormat).value("dateipfad/dbpfad").toString(), value);
        const QString own = env.root() + "/own.ini";
        QSettings(own, QSettings::IniFormat).setValue("dateipfad/dbpfad", value);
        QCOMPARE(fileContent(env.configPath()).split('\n').value(1), fileContent(own).split('\n').value(1));
    }
    void reading_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("read");
        QTest::newRow("values as written")
            << QByteArray(
                   "[dateipfad]\ndbpfad=/srv/herbst.db\n[bezeichnungen]\nname1=Forum\nname2=Online\nheim=Haus\n"
                   "gast=Besuch\nanzeige=true\n[punkte]\nPunkteGewonnen=3\nPunkteRemis=-1\nPunkteVerloren=999\n"
                   "Reihenfolge=1\nKampflosLegs=5:2\n[exportfenster]\ngewonnen=#ABCDEF\nlinieB2=9\nTabZentriert="
                   "true\nStatLinks=FALSE\n"
                   "name1b=true\nTabBreite1Value=80%\n[plattformen]\nlidarts_api=http://127.0.0.1:4711\n"
                   "prodarter_relay=https://relay.test/\nzeitlimit=3600\n[spielplan]\nHeimrechtAusgleichen=TRUE\n")
            << "/srv/herbst.db|Forum|Online|Haus|Besuch|tttfttt|3 -1 999 1 "
               "5:2|#ABCDEF|#ffffdd|#ffdddd|#000000|1|9|80|100|"
               "http://127.0.0.1:4711|https://lidarts.org|https://relay.test/|http://www.pro-darter.com|3600";
        // Captions and points have no defaults; empty and missing export and platform keys keep theirs.
        QTest::newRow("missing and empty")
            << QByteArray("[dateipfad]\ndbpfad=/x.db\n[punkte]\nPunkteRemis=\n[exportfenster]\nTabLinks=\n"
                          "[plattformen]\nlidarts_web=\nzeitlimit=0\n")
            << "/x.db|||||ftfttff|0 0 0 0 3:0|" + defaults;
        QTest::newRow("hostile values fall back")
            << QByteArray(
                   "[bezeichnungen]\nanzeige=ja\n[punkte]\nPunkteGewonnen=1000\nPunkteRemis=2.5\nPunkteVerloren=-1000"
                   "\nReihenfolge=2\nKampflosLegs=0:3\n[exportfenster]\nname1a=nein\nlinie1=\"red;background:url(x)"
                   "\"\nverloren=#12345g"
                   "\nlinieB1=10\nTabBreite2Value=px\n[plattformen]\nlidarts_web=javascript:alert(1)\n"
                   "lidarts_api=ftp://lidarts.org\nprodarter_relay=relay.test\nzeitlimit=3601\n[spielplan]\n"
                   "HeimrechtAusgleichen=ja\n")
            << "|||||ftfttff|2 1 0 0 3:0|" + QString(defaults).replace("100|100", "100|");
    }
    void reading() {
        QFETCH(QByteArray, content);
        QFETCH(QString, read);
        TempSettings env;
        writeFile(env.configPath(), content);
        QCOMPARE(summary(readConfig(env.configPath())), read);
    }
    void startup() {
        TempSettings env;
        // The first run writes config.ini and keeps the built-in values; the next reads the file.
        const QString first = summary(loadStartupSettings(settingsDirectory()));
        QCOMPARE(settingsDirectory(), env.dir());
        QCOMPARE(first, env.defaultDatabase() +
                            "|dart'n-Forum Name|Lidarts Name|Spieler 1|Spieler 2|ftfttff|2 1 0 0 3:0|" + defaults);
        QCOMPARE(summary(loadStartupSettings(env.dir())),
                 env.defaultDatabase() + "|dart'n-Forum Name|Lidarts Name|Heim|Gast|fttftff|2 1 0 0 3:0|" + defaults);
        // A missing or empty database path becomes the default file and is written back.
        for (const QByteArray& content :
             {QByteArray("[dateipfad]\ndbpfad=\n"), QByteArray("[punkte]\nPunkteGewonnen=3\n")}) {
            writeFile(env.configPath(), content);
            QCOMPARE(loadStartupSettings(env.dir()).dbpfad, env.defaultDatabase());
            QCOMPARE(readConfig(env.configPath()).dbpfad, env.defaultDatabase());
        }
        QCOMPARE(readConfig(env.configPath()).points.gewonnen, 3);
    }
    void dialogValuesAreStoredAsTyped() {
        TempSettings env;
        QVERIFY(writeDefaultConfig(env.configPath(), env.defaultDatabase()));
        storeDialogValues(env.configPath(),
                          {"Forum", "", "Heim", "Gast", true, "3", "eins", "0", TieBreak::HeadToHead});
        const QSettings file(env.configPath(), QSettings::IniFormat);
        QCOMPARE(file.value("punkte/PunkteRemis").toString(), "eins");
        QCOMPARE(file.value("exportfenster/TabZentriert").toString(), "true"); // other groups stay
        QVERIFY(summary(readConfig(env.configPath()))
                    .startsWith(env.defaultDatabase() + "|Forum||Heim|Gast|tttftff|3 1 0 1 3:0|"));
    }
    // Addresses given with or without a closing slash.
    void platformAddresses() {
        PlatformAddresses p;
        QCOMPARE(p.prodarterRelayRequest(), QString()); // not configured
        p.lidartsApi = "http://127.0.0.1:4711/";
        p.prodarterRelay = "http://127.0.0.1:4712/relay";
        QCOMPARE(p.lidartsGameRequest("abc") + ' ' + p.prodarterMatchLink("12"),
                 "http://127.0.0.1:4711/api/game/abc http://www.pro-darter.com/match-history.php?match=12");
        QCOMPARE(p.prodarterRelayRequest(), "http://127.0.0.1:4712/relay/service/prodarter.php");
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
