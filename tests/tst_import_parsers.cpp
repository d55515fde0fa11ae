// The network-free part of the online import: game ids, requests, the Lidarts and relay replies, markup to plain
// text, the name check, the doubles split and the leg total.
#include "import/platformreplies.h"

#include <QElapsedTimer>
#include <QTest>

using namespace tavorin;

Q_DECLARE_METATYPE(tavorin::ImportOutcome)
Q_DECLARE_METATYPE(tavorin::NameOrder)

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

QStringList list(const char* values) {
    return QString::fromUtf8(values).split(QLatin1Char('|'));
}

} // namespace

class TestImportParsers : public QObject {
    Q_OBJECT

private slots:
    void gameIds_data();
    void gameIds() {
        QFETCH(bool, lidarts);
        QFETCH(QString, link);
        QFETCH(QString, id);
        QCOMPARE(lidarts ? lidartsGameId(link) : prodarterGameId(link), id);
    }
    void requests();
    void relayFormBody_data();
    void relayFormBody() {
        QFETCH(QString, id);
        QFETCH(QByteArray, body);
        QCOMPARE(tavorin::relayFormBody(id), body);
    }
    void lidartsRealisticReply();
    void lidartsFigures_data();
    void lidartsFigures() {
        QFETCH(QByteArray, keys);
        QFETCH(int, position);
        QFETCH(QString, value);
        const ImportedValues v = parseLidartsReply(
            QByteArrayLiteral(R"({"status":"completed","p1_name":"Anna","p2_name":"Bernd",)") + keys + '}');
        QCOMPARE(v.outcome, ImportOutcome::Ok);
        QCOMPARE(v.first.size(), qsizetype(ImportPositionCount));
        QCOMPARE(v.first.at(position), value);
    }
    void lidartsOutcome_data();
    void lidartsOutcome() {
        QFETCH(QByteArray, body);
        QFETCH(ImportOutcome, outcome);
        const ImportedValues v = parseLidartsReply(body);
        QCOMPARE(v.outcome, outcome);
        if (outcome != ImportOutcome::Ok) {
            QVERIFY(v.first.isEmpty());
            QVERIFY(v.second.isEmpty());
            QVERIFY(v.firstText.isEmpty());
        }
    }
    void relayReply_data();
    void relayReply() {
        QFETCH(QByteArray, body);
        const ImportedValues v = parseRelayReply(body);
        QCOMPARE(v.outcome, ImportOutcome::Ok);
        // Positions 0 to 14 only: the relay has no 171+ count.
        QCOMPARE(v.first, list("Anna|3|65.40|71.00|2|5|7|10|4|6|2|1|81|33.33% (3/9)|18"));
        QCOMPARE(v.second, list("Bernd & Co|1|48.12|55.50|0|9|8|6|3|2|0|0|40|12.50% (1/8)|27"));
        // The name check sees the lines as received.
        QCOMPARE(v.firstName, QStringLiteral("<b>Anna</b>"));
        QCOMPARE(v.secondName, QStringLiteral("Bernd &amp; Co"));
        QCOMPARE(v.firstText, QStringLiteral("Anna\n3\n65.40\n71.00\n2\n5\n7\n10\n4\n6\n2\n1\n81\n33.33% (3/9)\n18\n"));
        QCOMPARE(v.secondText,
                 QStringLiteral("Bernd & Co\n1\n48.12\n55.50\n0\n9\n8\n6\n3\n2\n0\n0\n40\n12.50% (1/8)\n27\n"));
    }
    void relayReplyTooShortOrLong();
    void hostileMarkupIsLinear();
    void impossibleFigures_data();
    void impossibleFigures() {
        QFETCH(bool, lidarts);
        QFETCH(QByteArray, body);
        const ImportedValues v = lidarts ? parseLidartsReply(body) : parseRelayReply(body);
        QCOMPARE(v.outcome, ImportOutcome::NoGameData);
        QVERIFY(v.first.isEmpty() && v.second.isEmpty() && v.firstText.isEmpty());
    }
    void redirects_data();
    void redirects() {
        QFETCH(QString, to);
        QFETCH(bool, form);
        QFETCH(bool, allowed);
        QCOMPARE(redirectAllowed(QUrl("https://lidarts.org/api/game/1"), QUrl(to), form), allowed);
    }
    void markupToPlainText_data();
    void markupToPlainText() {
        QFETCH(QString, html);
        QFETCH(QString, text);
        QCOMPARE(tavorin::markupToPlainText(html), text);
    }
    void nameCheck_data();
    void nameCheck() {
        QFETCH(QString, platformFirst);
        QFETCH(QString, platformSecond);
        QFETCH(NameOrder, order);
        QFETCH(QString, formLeft);
        QFETCH(QString, formRight);
        QCOMPARE(checkNames(platformFirst, platformSecond, formLeft, formRight), order);
    }
    void crossedOrderExchangesSides();
    void doublesSplit_data();
    void doublesSplit() {
        QFETCH(QString, text);
        QFETCH(QString, hit);
        QFETCH(QString, thrown);
        const DoublesFigures figures = splitDoublesText(text);
        QCOMPARE(figures.hit, hit);
        QCOMPARE(figures.thrown, thrown);
    }
    void legTotal_data();
    void legTotal() {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QFETCH(qint64, total);
        QCOMPARE(importedLegTotal(first, second), total);
    }
};

void TestImportParsers::gameIds_data() {
    QTest::addColumn<bool>("lidarts");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("id");
    const auto row = [](const char* name, bool lidarts, const char* link, const char* id) {
        QTest::newRow(name) << lidarts << QString::fromUtf8(link) << QString::fromUtf8(id);
    };
    row("lidarts /game/<id>", true, "https://lidarts.org/game/q7Rk2xLp", "q7Rk2xLp");
    row("lidarts /game/<id>/dark", true, "https://lidarts.org/game/q7Rk2xLp/dark", "q7Rk2xLp");
    row("lidarts without scheme, with query", true, "lidarts.org/game/Ab-9_x?theme=dark#stats", "Ab-9_x");
    row("lidarts ends in game", true, "https://lidarts.org/game", "");
    row("lidarts games is not game", true, "https://lidarts.org/games/q7Rk2xLp/dark", "dark");
    row("lidarts no game segment, trailing /", true, "https://lidarts.org/statistics/q7Rk2xLp/", "");
    row("lidarts bare id", true, "q7Rk2xLp", "q7Rk2xLp");
    row("prodarter last =", false, "http://www.pro-darter.com/m.php?league=3&match=99", "99");
    row("prodarter link ends in =", false, "http://www.pro-darter.com/match-history.php?match=", "");
    row("prodarter bare id", false, "4711", "4711");
}

void TestImportParsers::requests() {
    PlatformAddresses defaults;
    QCOMPARE(lidartsRequestUrl(defaults, QStringLiteral("q7Rk2xLp")).toString(QUrl::FullyEncoded),
             QStringLiteral("https://lidarts.org/api/game/q7Rk2xLp"));
    // An id from a link without a "game" segment may carry a query; it stays one path segment.
    QCOMPARE(lidartsRequestUrl(defaults, QStringLiteral("a b?c=1")).toString(QUrl::FullyEncoded),
             QStringLiteral("https://lidarts.org/api/game/a%20b%3Fc%3D1"));
    PlatformAddresses local;
    local.lidartsApi = QStringLiteral("https://127.0.0.1:8443/");
    QCOMPARE(lidartsRequestUrl(local, QStringLiteral("q7Rk2xLp")).toString(QUrl::FullyEncoded),
             QStringLiteral("https://127.0.0.1:8443/api/game/q7Rk2xLp"));

    QVERIFY(relayRequestUrl(defaults).isEmpty());
    local.prodarterRelay = QStringLiteral("http://127.0.0.1:8080");
    QCOMPARE(relayRequestUrl(local).toString(QUrl::FullyEncoded),
             QStringLiteral("http://127.0.0.1:8080/service/prodarter.php"));
    QCOMPARE(QByteArray(relayContentType), QByteArrayLiteral("application/x-www-form-urlencoded"));
}

void TestImportParsers::relayFormBody_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("unreserved kept") << "Ab-9_x.~4711" << QByteArray("wert=Ab-9_x.~4711");
    QTest::newRow("reserved and percent") << "a+b&c=d/y?z #!*'();:@$,50%"
                                          << QByteArray("wert=a%2Bb%26c%3Dd%2Fy%3Fz%20%23%21%2A%27%28%29%3B%3A%40%24%2C"
                                                        "50%25");
    QTest::newRow("non-ASCII as UTF-8") << QStringLiteral("J\u00fcrgen") << QByteArray("wert=J%C3%BCrgen");
}

void TestImportParsers::lidartsRealisticReply() {
    const ImportedValues v = parseLidartsReply(realisticLidartsReply);
    QCOMPARE(v.outcome, ImportOutcome::Ok);
    // name, legs, avg, first 9, 0, 20, 40, 60, 80, 100, 140, 180, high finish, doubles, best leg, 171
    QCOMPARE(v.first, list("Anna|3|65.40|71.00|2|5|7|10|4|6|2|1|81|33.33% (3/9)\n|18|2"));
    QCOMPARE(v.second, list("Bernd|1|48.12|55.50|0|9|8|6|3|2|0|0|40|12.50% (1/8)\n|27|0"));
    QCOMPARE(v.firstName, QStringLiteral("Anna"));
    QCOMPARE(v.secondName, QStringLiteral("Bernd"));
    // The dialog lists 171+ between 140+ and 180, one value a line.
    QCOMPARE(v.firstText, QStringLiteral("Anna\n3\n65.40\n71.00\n2\n5\n7\n10\n4\n6\n2\n2\n1\n81\n33.33% (3/9)\n18\n"));
    QCOMPARE(v.secondText, QStringLiteral("Bernd\n1\n48.12\n55.50\n0\n9\n8\n6\n3\n2\n0\n0\n0\n40\n12.50% (1/8)\n27\n"));
}

void TestImportParsers::lidartsFigures_data() {
    QTest::addColumn<QByteArray>("keys");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("value");
    QTest::newRow("average rounded up") << QByteArray(R"("p1_match_avg": 65.456)") << int(PosAverage) << "65.46";
    QTest::newRow("average missing") << QByteArray(R"("p1_legs_won": 1, "p1_darts_thrown_double": 2)")
                                     << int(PosAverage) << "0.00";
    QTest::newRow("first 9 average carried")
        << QByteArray(R"("p1_first9_avg": 9.999)") << int(PosFirst9Average) << "10.00";
    QTest::newRow("doubles keys missing") << QByteArray(R"("p1_0": 1)") << int(PosDoubles) << "0.00% (0/0)\n";
    QTest::newRow("count as float") << QByteArray(R"("p1_high_finish": 120.0)") << int(PosHighFinish) << "120";
    QTest::newRow("legs null") << QByteArray(R"("p1_legs_won": null)") << int(PosLegs) << "0";
}

void TestImportParsers::lidartsOutcome_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<ImportOutcome>("outcome");
    QTest::newRow("no status") << QByteArray("{}") << ImportOutcome::Ok;
    QTest::newRow("status case differs") << QByteArray(R"({"status":"Completed"})") << ImportOutcome::NotFinished;
    QTest::newRow("status empty") << QByteArray(R"({"status":""})") << ImportOutcome::NotFinished;
    QTest::newRow("status null") << QByteArray(R"({"status":null})") << ImportOutcome::NotFinished;
    QTest::newRow("empty body") << QByteArray() << ImportOutcome::NoGameData;
    QTest::newRow("html error page") << QByteArray("<html><body>404 Not Found</body></html>")
                                     << ImportOutcome::NoGameData;
    QTest::newRow("array") << QByteArray(R"([{"p1_name":"Anna"}])") << ImportOutcome::NoGameData;
    // Padding after the object is valid JSON, so only the size decides.
    QByteArray fits = QByteArrayLiteral(R"({"p1_name":"Anna"})");
    fits.append(maxReplyBytes - fits.size(), ' ');
    QTest::newRow("exactly 1 MiB") << fits << ImportOutcome::Ok;
    QTest::newRow("one byte over 1 MiB") << fits + ' ' << ImportOutcome::NoGameData;
}

void TestImportParsers::relayReply_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("CRLF line ends") << joined(relayLines(), "\r\n") + "\r\n";
    QTest::newRow("more than 30 lines") << joined(relayLines(), "\n") + "\nextra\nlines";
}

void TestImportParsers::relayReplyTooShortOrLong() {
    QStringList lines = relayLines();
    lines.removeLast();
    const ImportedValues shortReply = parseRelayReply(joined(lines, "\n"));
    QCOMPARE(shortReply.outcome, ImportOutcome::NoGameData);
    QVERIFY(shortReply.first.isEmpty());
    QVERIFY(shortReply.second.isEmpty());
    // 29 lines and a final line break are 30 pieces, the last one empty.
    const ImportedValues emptyLast = parseRelayReply(joined(lines, "\n") + '\n');
    QCOMPARE(emptyLast.outcome, ImportOutcome::Ok);
    QCOMPARE(emptyLast.second.at(PosBelow20), QString());

    QByteArray tooLong = joined(relayLines(), "\n");
    tooLong.append(maxReplyBytes + 1 - tooLong.size(), '\n');
    QCOMPARE(parseRelayReply(tooLong).outcome, ImportOutcome::NoGameData);
    tooLong.chop(1);
    QCOMPARE(parseRelayReply(tooLong).outcome, ImportOutcome::Ok);
}

void TestImportParsers::hostileMarkupIsLinear() {
    // Each 1 MiB reply once took from seconds to minutes; the time limit covers reading it as well.
    for (const QByteArray& unit : {QByteArray("&"), QByteArray("<a "), QByteArray("<!--<p>"), QByteArray("&#x")}) {
        QByteArray body = joined(relayLines(), "\n");
        body.prepend(unit.repeated((maxReplyBytes - body.size()) / unit.size()));
        QElapsedTimer clock;
        clock.start();
        const ImportOutcome outcome = parseRelayReply(body).outcome;
        QVERIFY2(clock.elapsed() < 1000, unit.constData());
        QCOMPARE(outcome, ImportOutcome::Ok); // all of it in the first player's name
    }
    QCOMPARE(parseRelayReply(joined(relayLines(), "\n"), QDeadlineTimer(0)).outcome, ImportOutcome::TimedOut);
    QCOMPARE(parseLidartsReply(realisticLidartsReply, QDeadlineTimer(0)).outcome, ImportOutcome::TimedOut);
}

void TestImportParsers::impossibleFigures_data() {
    QTest::addColumn<bool>("lidarts");
    QTest::addColumn<QByteArray>("body");
    const QByteArray game = realisticLidartsReply;
    QTest::newRow("negative legs") << true << QByteArray(game).replace(R"("p2_legs_won": 1)", R"("p2_legs_won": -1)");
    QTest::newRow("more doubles hit than thrown") << true << QByteArray(game).replace("double\": 9", "double\": 2");
    QStringList lines = relayLines();
    lines[19] = "12.50% (9/8)";
    QTest::newRow("relay: hit more than thrown") << false << joined(lines, "\n");
}

void TestImportParsers::redirects_data() {
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("form");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("same origin, other path") << "https://lidarts.org:443/api/game/2" << false << true;
    QTest::newRow("same origin with a form") << "https://lidarts.org/api/game/2" << true << false;
    QTest::newRow("other host") << "https://lidarts.org.evil.test/api/game/1" << false << false;
    QTest::newRow("other port") << "https://lidarts.org:8443/api/game/1" << false << false;
    QTest::newRow("other scheme") << "http://lidarts.org/api/game/1" << false << false;
}

void TestImportParsers::markupToPlainText_data() {
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("text");
    const auto row = [](const char* name, const char* html, const char* text) {
        QTest::newRow(name) << QString::fromUtf8(html) << QString::fromUtf8(text);
    };
    row("empty", "", "");
    row("tags removed, > in an attribute", R"(<a href="https://x.org/?a=1&b=2" title='a>b'>An</a><span>na</span> M)",
        "Anna M");
    row("white space collapsed and trimmed", "  Anna \t  Maria  ", "Anna Maria");
    row("named references and no-break space", "Bernd &amp; J&uuml;rgen &lt;3&gt;&nbsp;Jr",
        "Bernd & J\u00fcrgen <3> Jr");
    row("numeric references", "&#74;&#x75;&#X72;gen", "Jurgen");
    row("lone ampersand, unknown name, lone less-than", "AT&T &bogus; a&b a < b", "AT&T &bogus; a&b a < b");
    row("comment, style and script", "<!-- 3 --><style>b { color: red }</style>Anna<script>if (a<b) x();</script>",
        "Anna");
    row("line breaks, paragraphs, upper-case tags", "<p><B>Anna</B></p>\n<p>Maria<br>Jr<BR/>X</p>",
        "Anna\nMaria\nJr\nX");
}

void TestImportParsers::nameCheck_data() {
    QTest::addColumn<QString>("platformFirst");
    QTest::addColumn<QString>("platformSecond");
    QTest::addColumn<QString>("formLeft");
    QTest::addColumn<QString>("formRight");
    QTest::addColumn<NameOrder>("order");
    const auto row = [](const char* name, const char* first, const char* second, NameOrder order,
                        const char* left = "Anna", const char* right = "Bernd") {
        QTest::newRow(name) << QString::fromUtf8(first) << QString::fromUtf8(second) << QString::fromUtf8(left)
                            << QString::fromUtf8(right) << order;
    };
    row("in order", "Anna", "Bernd", NameOrder::InOrder);
    row("crossed", "Bernd", "Anna", NameOrder::Crossed);
    row("case differs", "anna", "Bernd", NameOrder::Mismatch);
    row("case differs, crossed", "Bernd", "ANNA", NameOrder::Mismatch);
    row("one name only", "Anna", "Carl", NameOrder::Mismatch);
    row("both on one side", "Anna", "Anna", NameOrder::Mismatch);
    row("trailing blank", "Anna ", "Bernd", NameOrder::Mismatch);
    row("markup as received", "<b>Anna</b>", "Bernd", NameOrder::Mismatch);
    row("same name twice: in order wins", "Anna", "Anna", NameOrder::InOrder, "Anna", "Anna");
}

void TestImportParsers::crossedOrderExchangesSides() {
    ImportedValues v =
        parseLidartsReply(R"({"p1_name":"Bernd","p2_name":"Anna","p1_legs_won":1,"p2_legs_won":3,"p2_171":2,)"
                          R"("p1_darts_thrown_double":4,"p2_darts_thrown_double":5})");
    QCOMPARE(checkNames(v.firstName, v.secondName, QStringLiteral("Anna"), QStringLiteral("Bernd")),
             NameOrder::Crossed);
    v.swapSides();
    QCOMPARE(v.first.at(PosName), QStringLiteral("Anna"));
    QCOMPARE(v.first.at(PosLegs), QStringLiteral("3"));
    QCOMPARE(v.first.at(Pos171), QStringLiteral("2"));
    QCOMPARE(v.second.at(PosLegs), QStringLiteral("1"));
    QVERIFY(v.firstText.startsWith(QStringLiteral("Anna\n3\n")));
    QVERIFY(v.secondText.startsWith(QStringLiteral("Bernd\n1\n")));
    QCOMPARE(v.firstName, QStringLiteral("Anna"));
}

void TestImportParsers::doublesSplit_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hit");
    QTest::addColumn<QString>("thrown");
    const auto row = [](const char* name, const char* text, const char* hit, const char* thrown) {
        QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(hit) << QString::fromUtf8(thrown);
    };
    row("lidarts text", "33.33% (2/6)\n", "2", "6");
    row("blanks kept", "50% ( 1 / 2 )", " 1 ", " 2 ");
    row("thrown missing", "(2/)", "2", "");
    row("extra slash", "(2/6/8)", "2", "6");
    row("no opening parenthesis", "33.33% 2/6)", "", "");
    row("no slash", "33.33% (2-6)", "", "");
    row("no closing parenthesis", "33.33% (2/6", "", "");
    row("first parentheses count", "n/a (x) (2/6)", "", "");
}

void TestImportParsers::legTotal_data() {
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");
    QTest::addColumn<qint64>("total");
    QTest::newRow("not a number counts 0") << QStringList{"Anna", "3.5"} << QStringList{"Bernd", "2"} << qint64(2);
    QTest::newRow("name only") << QStringList{"Anna"} << QStringList{"Bernd", "1"} << qint64(1);
    QTest::newRow("negative") << QStringList{"Anna", "-1"} << QStringList{"Bernd", "1"} << qint64(0);
    QTest::newRow("no overflow") << QStringList{"Anna", "2147483647"} << QStringList{"Bernd", "2147483647"}
                                 << qint64(4294967294);
}

QTEST_GUILESS_MAIN(TestImportParsers)
#include "tst_import_parsers.moc"
