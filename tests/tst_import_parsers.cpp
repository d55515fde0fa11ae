// The network-free part of the online import: game ids, requests, the Lidarts and relay replies, markup to plain
// text, the name check, the doubles split and the leg total.
#include "import/platformreplies.h"

#include <QElapsedTimer>
#include <QTest>

#include <functional>

using namespace tavorin;

Q_DECLARE_METATYPE(tavorin::ImportOutcome)

namespace {

// A finished Lidarts game with keys the import does not read, and without the score-band keys whose count is 0.
const char realisticLidartsReply[] = R"({
  "id": "q7Rk2xLp", "status": "completed", "type": 501, "bo_sets": 1, "bo_legs": 5, "begin": "2024-03-01 19:04:11",
  "p1_name": "Anna", "p2_name": "Bernd", "p1_sets": 0, "p2_sets": 0, "p1_legs_won": 3, "p2_legs_won": 1,
  "p1_match_avg": 65.4, "p2_match_avg": 48.123, "p1_first9_avg": 71, "p2_first9_avg": 55.5, "p1_0": 2,
  "p1_20": 5, "p2_20": 9, "p1_40": 7, "p2_40": 8, "p1_60": 10, "p2_60": 6, "p1_80": 4, "p2_80": 3,
  "p1_100": 6, "p2_100": 2, "p1_140": 2, "p1_171": 2, "p1_180": 1, "p1_high_finish": 81, "p2_high_finish": 40,
  "p1_short_leg": 18, "p2_short_leg": 27, "p1_doubles": 33.333, "p2_doubles": 12.5,
  "p1_darts_thrown_double": 9, "p2_darts_thrown_double": 8, "p1_throws": [[60, 45, 100]], "viewers": {"count": 3}
})";

// The relay's 30 lines for the same game, each player in the relay's order: name, legs, average, first 9,
// doubles, high finish, best leg, 180, 140+, 100+, 80+, 60+, 40+, 20+, 0-19.
QStringList relayLines() {
    return QStringLiteral("<b>Anna</b>|3|65.40|71.00|33.33% (3/9)|81|18|1|2|6|4|10|7|5|2|"
                          "Bernd &amp; Co|1|48.12|55.50|12.50% (1/8)|40|27|0|0|2|3|6|8|9|0")
        .split(QLatin1Char('|'));
}

QByteArray joined(const QStringList& lines, const char* separator) {
    return lines.join(QLatin1String(separator)).toUtf8();
}

// The functions from text to text, by name. The leg total takes "first|legs;second|legs", the name check
// "platform first,platform second,form left,form right", the Lidarts figures the keys of player 1 and gives
// his average, doubles text and high finish, or why the reply has no game data.
QString apply(const QString& function, const QString& input) {
    const QHash<QString, std::function<QString(const QString&)>> functions = {
        {"lidarts id", lidartsGameId},
        {"pro-darter id", prodarterGameId},
        {"lidarts request",
         [](const QString& s) { return lidartsRequestUrl(PlatformAddresses(), s).toString(QUrl::FullyEncoded); }},
        {"lidarts figures",
         [](const QString& s) {
             const ImportedValues v =
                 parseLidartsReply(R"({"status":"completed","p1_name":"A","p2_name":"B",)" + s.toUtf8() + '}');
             return v.first.size() != ImportPositionCount
                        ? v.reason
                        : v.first[PosAverage] + '|' + v.first[PosDoubles] + '|' + v.first[PosHighFinish];
         }},
        {"names",
         [](const QString& s) {
             const QStringList n = s.split(',');
             return QStringList({"in order", "crossed", "mismatch"}).at(int(checkNames(n[0], n[1], n[2], n[3])));
         }},
        {"relay form", [](const QString& s) { return QString::fromLatin1(relayFormBody(s)); }},
        {"markup", markupToPlainText},
        {"doubles",
         [](const QString& s) {
             const DoublesFigures f = splitDoublesText(s);
             return f.hit + '|' + f.thrown;
         }},
        {"legs",
         [](const QString& s) {
             return QString::number(importedLegTotal(s.section(';', 0, 0).split('|'), s.section(';', 1).split('|')));
         }},
    };
    return functions.value(function)(input);
}

} // namespace

class TestImportParsers : public QObject {
    Q_OBJECT

private slots:
    void texts_data() {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        const auto row = [](const char* function, const char* name, const char* input, const char* output) {
            QTest::addRow("%s: %s", function, name)
                << function << QString::fromUtf8(input) << QString::fromUtf8(output);
        };
        row("lidarts id", "/game/<id>/dark", "https://lidarts.org/game/q7Rk2xLp/dark", "q7Rk2xLp");
        row("lidarts id", "without scheme, with query", "lidarts.org/game/Ab-9_x?theme=dark#stats", "Ab-9_x");
        row("lidarts id", "games is not game", "https://lidarts.org/games/q7Rk2xLp/dark", "dark");
        row("lidarts id", "bare id", "q7Rk2xLp", "q7Rk2xLp");
        row("lidarts id", "plain words", "hallo welt", "");
        row("lidarts id", "link ends in /game/", "https://lidarts.org/game/", "");
        row("lidarts id", "no id shape after game", "https://lidarts.org/game/a%20b", "");
        row("pro-darter id", "last =", "http://www.pro-darter.com/m.php?league=3&match=99", "99");
        row("pro-darter id", "link ends in =", "http://www.pro-darter.com/match-history.php?match=", "");
        row("pro-darter id", "bare id", "4711", "4711");
        row("pro-darter id", "plain words", "hallo welt", "");
        // An id from a link without a "game" segment may carry a query; it stays one path segment.
        row("lidarts request", "id with a query", "a b?c=1", "https://lidarts.org/api/game/a%20b%3Fc%3D1");
        row("relay form", "reserved and percent", "a+b&c=d/y?z #!*'();:@$,50%",
            "wert=a%2Bb%26c%3Dd%2Fy%3Fz%20%23%21%2A%27%28%29%3B%3A%40%24%2C50%25");
        row("relay form", "unreserved kept, non-ASCII as UTF-8", "Ab-9_x.~J\u00fcrgen", "wert=Ab-9_x.~J%C3%BCrgen");
        row("markup", "tags removed, > in an attribute",
            "<a href=\"https://x.org/?a=1&b=2\" title='a>b'>An</a><span>na</span>  M", "Anna M");
        row("markup", "named references and no-break space", "Bernd &amp; J&uuml;rgen &lt;3&gt;&nbsp;Jr",
            "Bernd & J\u00fcrgen <3> Jr");
        row("markup", "numeric references", "&#74;&#x75;&#X72;gen", "Jurgen");
        row("markup", "lone ampersand, unknown name, lone less-than", "AT&T &bogus; a&b a < b",
            "AT&T &bogus; a&b a < b");
        row("markup", "comment, style and script",
            "<!-- 3 --><style>b { color: red }</style>Anna<script>if (a<b) x();</script>", "Anna");
        row("markup", "line breaks, paragraphs, upper-case tags", "<p><B>Anna</B></p>\n<p>Maria<br>Jr<BR/>X</p>",
            "Anna\nMaria\nJr\nX");
        row("doubles", "lidarts text", "33.33% (2/6)\n", "2|6");
        row("doubles", "thrown missing", "(2/)", "2|");
        row("doubles", "no slash", "33.33% (2-6)", "|");
        row("doubles", "first parentheses count", "n/a (x) (2/6)", "|");
        row("lidarts figures", "average rounded up", R"("p1_match_avg": 65.456)", "65.46|0.00% (0/0)\n|0");
        row("lidarts figures", "counts as floats",
            R"("p1_high_finish": 120.0, "p1_doubles": 50.0, "p1_legs_won": 1, )"
            R"("p1_darts_thrown_double": 2.0)",
            "0.00|50.00% (1/2)\n|120");
        row("lidarts figures", "null counts 0", R"("p1_high_finish": null)", "0.00|0.00% (0/0)\n|0");
        // A figure the reply does not hold as a number in its range is never taken as 0.
        const char* legs = "Der Wert von „p1_legs_won“ ist keine ganze Zahl von 0 bis 99.";
        row("lidarts figures", "legs not whole", R"("p1_legs_won": 3.5)", legs);
        row("lidarts figures", "legs as text", R"("p1_legs_won": "3")", legs);
        row("lidarts figures", "legs 2^63", R"("p1_legs_won": 9223372036854775808)", legs);
        row("lidarts figures", "doubles rate huge", R"("p1_doubles": 1e300)",
            "Der Wert von „p1_doubles“ ist keine Zahl von 0 bis 100.");
        row("lidarts figures", "name not a text", R"("p1_name": 7)", "Der Wert von „p1_name“ ist kein Text.");
        row("lidarts figures", "finish of 1", R"("p1_high_finish": 1)",
            "Der Wert „1“ bei „Highest Finish“ von Spieler 1 ist nicht möglich.");
        row("names", "in order", "Anna,Bernd,Anna,Bernd", "in order");
        row("names", "crossed", "Bernd,Anna,Anna,Bernd", "crossed");
        row("names", "case differs", "anna,Bernd,Anna,Bernd", "mismatch");
        row("names", "one name only", "Anna,Carl,Anna,Bernd", "mismatch");
        row("names", "both on one side", "Anna,Anna,Anna,Bernd", "mismatch");
        row("names", "same name twice: in order wins", "Anna,Anna,Anna,Anna", "in order");
        row("legs", "not a number counts 0", "Anna|3.5;Bernd|2", "2");
        row("legs", "no overflow", "Anna|2147483647;Bernd|2147483647", "4294967294");
    }

    void texts() {
        QFETCH(QString, function);
        QFETCH(QString, input);
        QFETCH(QString, output);
        QCOMPARE(apply(function, input), output);
    }

    void redirects_data() {
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("form");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("same origin, other path") << "https://lidarts.org:443/api/game/2" << false << true;
        QTest::newRow("same origin with a form") << "https://lidarts.org/api/game/2" << true << false;
        QTest::newRow("other host") << "https://lidarts.org.evil.test/api/game/1" << false << false;
        QTest::newRow("other port") << "https://lidarts.org:8443/api/game/1" << false << false;
        QTest::newRow("other scheme") << "http://lidarts.org:443/api/game/1" << false << false;
    }

    void redirects() {
        QFETCH(QString, to);
        QFETCH(bool, form);
        QFETCH(bool, allowed);
        QCOMPARE(redirectAllowed(QUrl("https://lidarts.org/api/game/1"), QUrl(to), form), allowed);
    }

    void lidartsRealisticReply() {
        const ImportedValues v = parseLidartsReply(realisticLidartsReply);
        QCOMPARE(v.outcome, ImportOutcome::Ok);
        // name, legs, avg, first 9, 0, 20, 40, 60, 80, 100, 140, 180, high finish, doubles, best leg, 171
        QCOMPARE(v.first, QString("Anna|3|65.40|71.00|2|5|7|10|4|6|2|1|81|33.33% (3/9)\n|18|2").split('|'));
        QCOMPARE(v.second, QString("Bernd|1|48.12|55.50|0|9|8|6|3|2|0|0|40|12.50% (1/8)\n|27|0").split('|'));
        QCOMPARE(v.firstName + v.secondName, QStringLiteral("AnnaBernd"));
    }

    void relayReply_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("CRLF line ends") << joined(relayLines(), "\r\n") + "\r\n";
        QTest::newRow("more than 30 lines") << joined(relayLines(), "\n") + "\nextra\nlines";
    }

    void relayReply() {
        QFETCH(QByteArray, body);
        const ImportedValues v = parseRelayReply(body);
        QCOMPARE(v.outcome, ImportOutcome::Ok);
        // Positions 0 to 14 only: the relay has no 171+ count.
        QCOMPARE(v.first, QString("Anna|3|65.40|71.00|2|5|7|10|4|6|2|1|81|33.33% (3/9)|18").split('|'));
        QCOMPARE(v.second, QString("Bernd & Co|1|48.12|55.50|0|9|8|6|3|2|0|0|40|12.50% (1/8)|27").split('|'));
        // The name check sees the lines as received.
        QCOMPARE(v.firstName, QStringLiteral("<b>Anna</b>"));
        QCOMPARE(v.secondName, QStringLiteral("Bernd &amp; Co"));
    }

    void outcomes_data() {
        QTest::addColumn<bool>("lidarts");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<ImportOutcome>("outcome");
        const auto row = [](const char* name, bool lidarts, const QByteArray& body, ImportOutcome outcome) {
            QTest::newRow(name) << lidarts << body << outcome;
        };
        row("no status", true, "{}", ImportOutcome::Ok);
        row("status case differs", true, R"({"status":"Completed"})", ImportOutcome::NotFinished);
        row("html error page", true, "<html><body>404 Not Found</body></html>", ImportOutcome::NoGameData);
        row("array", true, R"([{"p1_name":"Anna"}])", ImportOutcome::NoGameData);
        // Padding after the object is valid JSON, so only the size decides.
        QByteArray fits = QByteArrayLiteral(R"({"p1_name":"Anna"})");
        fits.append(maxReplyBytes - fits.size(), ' ');
        row("exactly 1 MiB", true, fits, ImportOutcome::Ok);
        row("one byte over 1 MiB", true, fits + ' ', ImportOutcome::NoGameData);
        const QByteArray game = realisticLidartsReply;
        row("negative legs", true, QByteArray(game).replace(R"("p2_legs_won": 1)", R"("p2_legs_won": -1)"),
            ImportOutcome::NoGameData);
        row("more doubles hit than thrown", true, QByteArray(game).replace("double\": 9", "double\": 2"),
            ImportOutcome::NoGameData);

        QStringList lines = relayLines();
        lines[19] = "12.50% (9/8)";
        row("relay: hit more than thrown", false, joined(lines, "\n"), ImportOutcome::NoGameData);
        lines = relayLines().mid(0, relayReplyLines - 1);
        row("relay: 29 lines", false, joined(lines, "\n"), ImportOutcome::NoGameData);
        // 29 lines and a final line break are 30 pieces, the last one empty.
        row("relay: 29 lines and a line break", false, joined(lines, "\n") + '\n', ImportOutcome::Ok);
        QByteArray full = joined(relayLines(), "\n");
        full.append(maxReplyBytes - full.size(), '\n');
        row("relay: exactly 1 MiB", false, full, ImportOutcome::Ok);
        row("relay: one byte over 1 MiB", false, full + '\n', ImportOutcome::NoGameData);
    }

    void outcomes() {
        QFETCH(bool, lidarts);
        QFETCH(QByteArray, body);
        QFETCH(ImportOutcome, outcome);
        const ImportedValues v = lidarts ? parseLidartsReply(body) : parseRelayReply(body);
        QCOMPARE(v.outcome, outcome);
        if (outcome != ImportOutcome::Ok) // a reply given up on offers nothing, and says why it has no game data
            QVERIFY(v.first.isEmpty() && v.second.isEmpty() &&
                    v.reason.isEmpty() == (outcome != ImportOutcome::NoGameData));
    }

    // A reply of the largest size with all of it in the first player's name once took from seconds to minutes
    // to read or to show. It is read in linear time, and a name that long is no player's.
    void hostileRepliesAreBounded_data() {
        QTest::addColumn<bool>("lidarts");
        QTest::addColumn<QByteArray>("unit");
        QTest::addColumn<ImportOutcome>("outcome");
        QTest::newRow("lidarts: markup") << true << QByteArray("<b>x</b>") << ImportOutcome::NoGameData;
        QTest::newRow("lidarts: one long word") << true << QByteArray("x") << ImportOutcome::NoGameData;
        QTest::newRow("relay: ampersands") << false << QByteArray("&") << ImportOutcome::NoGameData;
        QTest::newRow("relay: unclosed tags") << false << QByteArray("<a ") << ImportOutcome::Ok;
        QTest::newRow("relay: unclosed comment") << false << QByteArray("<!--<p>") << ImportOutcome::Ok;
        QTest::newRow("relay: references without end") << false << QByteArray("&#x") << ImportOutcome::NoGameData;
    }
    void hostileRepliesAreBounded() {
        QFETCH(bool, lidarts);
        QFETCH(QByteArray, unit);
        QFETCH(ImportOutcome, outcome);
        QByteArray body = lidarts ? QByteArray(realisticLidartsReply) : joined(relayLines(), "\n");
        const qsizetype name = lidarts ? body.indexOf("Anna") : 0;
        body.insert(name, unit.repeated((maxReplyBytes - body.size()) / unit.size()));
        QElapsedTimer clock;
        clock.start();
        const ImportedValues v = lidarts ? parseLidartsReply(body) : parseRelayReply(body);
        QVERIFY(clock.elapsed() < 3000); // even in a debug build on a busy machine; superlinear took minutes
        QCOMPARE(v.outcome, outcome);
        if (outcome == ImportOutcome::NoGameData)
            QCOMPARE(v.reason, QString::fromUtf8("„Name“ von Spieler 1 ist länger als 200 Zeichen."));
    }

    void deadline() {
        QCOMPARE(parseRelayReply(joined(relayLines(), "\n"), QDeadlineTimer(0)).outcome, ImportOutcome::TimedOut);
        QCOMPARE(parseLidartsReply(realisticLidartsReply, QDeadlineTimer(0)).outcome, ImportOutcome::TimedOut);
    }
};

QTEST_GUILESS_MAIN(TestImportParsers)
#include "tst_import_parsers.moc"
