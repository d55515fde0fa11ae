// The network-free part of the online import: game ids from links, the requests, the Lidarts JSON reply,
// the relay's text reply, markup to plain text, the name check, the doubles split and the leg total.
#include "import/platformreplies.h"

#include <QTest>

using namespace tavorin;

Q_DECLARE_METATYPE(tavorin::ImportOutcome)
Q_DECLARE_METATYPE(tavorin::NameOrder)

namespace {

// A finished Lidarts game as the API sends it: keys the import does not read, and no score-band key
// whose count is 0 (p2_0, p2_140, p2_180, p2_171).
const char realisticLidartsReply[] = R"({
  "id": "q7Rk2xLp", "status": "completed", "type": 501, "bo_sets": 1, "bo_legs": 5,
  "in_mode": "si", "out_mode": "do", "begin": "2024-03-01 19:04:11", "end": "2024-03-01 19:41:52",
  "p1_name": "Anna", "p2_name": "Bernd", "p1_sets": 0, "p2_sets": 0,
  "p1_legs_won": 3, "p2_legs_won": 1,
  "p1_match_avg": 65.4, "p2_match_avg": 48.123,
  "p1_first9_avg": 71, "p2_first9_avg": 55.5,
  "p1_0": 2,
  "p1_20": 5, "p2_20": 9, "p1_40": 7, "p2_40": 8, "p1_60": 10, "p2_60": 6,
  "p1_80": 4, "p2_80": 3, "p1_100": 6, "p2_100": 2, "p1_140": 2,
  "p1_171": 2, "p1_180": 1,
  "p1_high_finish": 81, "p2_high_finish": 40,
  "p1_short_leg": 18, "p2_short_leg": 27,
  "p1_doubles": 33.333, "p2_doubles": 12.5,
  "p1_darts_thrown_double": 9, "p2_darts_thrown_double": 8,
  "p1_throws": [[60, 45, 100], [26, 41]], "chat": [], "viewers": {"count": 3}
})";

// The relay's 30 lines for the same game: first player, then second, each in the relay's own order
// (name, legs, average, first 9, doubles, high finish, best leg, 180, 140+, 100+, 80+, 60+, 40+, 20+, 0-19).
QStringList relayLines() {
    return {QStringLiteral("<b>Anna</b>"),
            QStringLiteral("3"),
            QStringLiteral("65.40"),
            QStringLiteral("71.00"),
            QStringLiteral("33.33% (3/9)"),
            QStringLiteral("81"),
            QStringLiteral("18"),
            QStringLiteral("1"),
            QStringLiteral("2"),
            QStringLiteral("6"),
            QStringLiteral("4"),
            QStringLiteral("10"),
            QStringLiteral("7"),
            QStringLiteral("5"),
            QStringLiteral("2"),
            QStringLiteral("Bernd &amp; Co"),
            QStringLiteral("1"),
            QStringLiteral("48.12"),
            QStringLiteral("55.50"),
            QStringLiteral("12.50% (1/8)"),
            QStringLiteral("40"),
            QStringLiteral("27"),
            QStringLiteral("0"),
            QStringLiteral("0"),
            QStringLiteral("2"),
            QStringLiteral("3"),
            QStringLiteral("6"),
            QStringLiteral("8"),
            QStringLiteral("9"),
            QStringLiteral("0")};
}

QByteArray joined(const QStringList& lines, const char* separator) {
    return lines.join(QLatin1String(separator)).toUtf8();
}

// A small Lidarts reply around one player's keys.
QByteArray lidartsReply(const char* firstPlayerKeys) {
    return QByteArrayLiteral(R"({"status":"completed","p1_name":"Anna","p2_name":"Bernd",)") + firstPlayerKeys + '}';
}

} // namespace

class TestImportParsers : public QObject {
    Q_OBJECT

private slots:
    void gameIds_data();
    void gameIds();
    void requests();
    void relayFormBody_data();
    void relayFormBody();
    void lidartsRealisticReply();
    void lidartsFigures_data();
    void lidartsFigures();
    void lidartsOutcome_data();
    void lidartsOutcome();
    void relayReply_data();
    void relayReply();
    void relayReplyTooShortOrLong();
    void relayConverterHook();
    void markupToPlainText_data();
    void markupToPlainText();
    void nameCheck_data();
    void nameCheck();
    void crossedOrderExchangesSides();
    void doublesSplit_data();
    void doublesSplit();
    void legTotal_data();
    void legTotal();
};

void TestImportParsers::gameIds_data() {
    QTest::addColumn<bool>("lidarts");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("id");

    QTest::newRow("lidarts /game/<id>") << true << "https://lidarts.org/game/q7Rk2xLp"
                                        << "q7Rk2xLp";
    QTest::newRow("lidarts /game/<id>/") << true << "https://lidarts.org/game/q7Rk2xLp/"
                                         << "q7Rk2xLp";
    QTest::newRow("lidarts /game/<id>/dark") << true << "https://lidarts.org/game/q7Rk2xLp/dark"
                                             << "q7Rk2xLp";
    QTest::newRow("lidarts numeric id") << true << "https://lidarts.org/game/12345"
                                        << "12345";
    QTest::newRow("lidarts query and fragment") << true << "https://lidarts.org/game/Ab-9_x?theme=dark#stats"
                                                << "Ab-9_x";
    QTest::newRow("lidarts without scheme") << true << "lidarts.org/game/Ab-9_x/statistics"
                                            << "Ab-9_x";
    QTest::newRow("lidarts /game/ without id") << true << "https://lidarts.org/game/"
                                               << "";
    QTest::newRow("lidarts ends in game") << true << "https://lidarts.org/game"
                                          << "";
    QTest::newRow("lidarts no game segment") << true << "https://lidarts.org/statistics/q7Rk2xLp"
                                             << "q7Rk2xLp";
    QTest::newRow("lidarts no game segment, trailing /") << true << "https://lidarts.org/statistics/q7Rk2xLp/"
                                                         << "";
    QTest::newRow("lidarts games is not game") << true << "https://lidarts.org/games/q7Rk2xLp/dark"
                                               << "dark";
    QTest::newRow("lidarts bare id") << true << "q7Rk2xLp"
                                     << "q7Rk2xLp";

    QTest::newRow("prodarter match link") << false << "http://www.pro-darter.com/match-history.php?match=4711"
                                          << "4711";
    QTest::newRow("prodarter last =") << false << "http://www.pro-darter.com/m.php?league=3&match=99"
                                      << "99";
    QTest::newRow("prodarter link ends in =") << false << "http://www.pro-darter.com/match-history.php?match="
                                              << "";
    QTest::newRow("prodarter bare id") << false << "4711"
                                       << "4711";
}

void TestImportParsers::gameIds() {
    QFETCH(bool, lidarts);
    QFETCH(QString, link);
    QFETCH(QString, id);
    QCOMPARE(lidarts ? lidartsGameId(link) : prodarterGameId(link), id);
}

void TestImportParsers::requests() {
    PlatformAddresses defaults;
    QCOMPARE(lidartsRequestUrl(defaults, QStringLiteral("q7Rk2xLp")).toString(QUrl::FullyEncoded),
             QStringLiteral("https://lidarts.org/api/game/q7Rk2xLp"));
    QCOMPARE(lidartsRequestUrl(defaults, QString()).toString(QUrl::FullyEncoded),
             QStringLiteral("https://lidarts.org/api/game/"));
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
    QTest::newRow("digits") << "4711" << QByteArray("wert=4711");
    QTest::newRow("unreserved kept") << "Ab-9_x.~" << QByteArray("wert=Ab-9_x.~");
    QTest::newRow("form delimiters") << "a+b&c=d" << QByteArray("wert=a%2Bb%26c%3Dd");
    QTest::newRow("path and query characters") << "x/y?z #1" << QByteArray("wert=x%2Fy%3Fz%20%231");
    QTest::newRow("sub-delimiters") << "!*'();:@$," << QByteArray("wert=%21%2A%27%28%29%3B%3A%40%24%2C");
    QTest::newRow("percent") << "50%" << QByteArray("wert=50%25");
    QTest::newRow("non-ASCII as UTF-8") << QStringLiteral("J\u00fcrgen") << QByteArray("wert=J%C3%BCrgen");
    QTest::newRow("empty") << "" << QByteArray("wert=");
}

void TestImportParsers::relayFormBody() {
    QFETCH(QString, id);
    QFETCH(QByteArray, body);
    QCOMPARE(tavorin::relayFormBody(id), body);
}

void TestImportParsers::lidartsRealisticReply() {
    const ImportedValues v = parseLidartsReply(realisticLidartsReply);
    QCOMPARE(v.outcome, ImportOutcome::Ok);
    // name, legs, avg, first 9, 0, 20, 40, 60, 80, 100, 140, 180, high finish, doubles, best leg, 171
    QCOMPARE(v.first, QStringList({"Anna", "3", "65.40", "71.00", "2", "5", "7", "10", "4", "6", "2", "1", "81",
                                   "33.33% (3/9)\n", "18", "2"}));
    QCOMPARE(v.second, QStringList({"Bernd", "1", "48.12", "55.50", "0", "9", "8", "6", "3", "2", "0", "0", "40",
                                    "12.50% (1/8)\n", "27", "0"}));
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

    QTest::newRow("average one decimal") << QByteArray(R"("p1_match_avg": 65.4)") << int(PosAverage) << "65.40";
    QTest::newRow("average whole number") << QByteArray(R"("p1_match_avg": 45)") << int(PosAverage) << "45.00";
    QTest::newRow("average rounded") << QByteArray(R"("p1_match_avg": 65.456)") << int(PosAverage) << "65.46";
    QTest::newRow("average missing") << QByteArray(R"("p1_legs_won": 1)") << int(PosAverage) << "0.00";
    QTest::newRow("first 9 average") << QByteArray(R"("p1_first9_avg": 9.999)") << int(PosFirst9Average) << "10.00";
    QTest::newRow("doubles text") << QByteArray(
                                         R"("p1_doubles": 33.333, "p1_legs_won": 2, "p1_darts_thrown_double": 6)")
                                  << int(PosDoubles) << "33.33% (2/6)\n";
    QTest::newRow("doubles keys missing") << QByteArray(R"("p1_0": 1)") << int(PosDoubles) << "0.00% (0/0)\n";
    QTest::newRow("band key present") << QByteArray(R"("p1_0": 4)") << int(PosBelow20) << "4";
    QTest::newRow("band key missing") << QByteArray(R"("p1_20": 4)") << int(PosBelow20) << "0";
    QTest::newRow("171 kept at 15") << QByteArray(R"("p1_171": 3, "p1_180": 1)") << int(Pos171) << "3";
    QTest::newRow("180 at 11") << QByteArray(R"("p1_171": 3, "p1_180": 1)") << int(Pos180) << "1";
    QTest::newRow("count as float") << QByteArray(R"("p1_high_finish": 120.0)") << int(PosHighFinish) << "120";
    QTest::newRow("legs null") << QByteArray(R"("p1_legs_won": null)") << int(PosLegs) << "0";
}

void TestImportParsers::lidartsFigures() {
    QFETCH(QByteArray, keys);
    QFETCH(int, position);
    QFETCH(QString, value);
    const ImportedValues v = parseLidartsReply(lidartsReply(keys.constData()));
    QCOMPARE(v.outcome, ImportOutcome::Ok);
    QCOMPARE(v.first.size(), qsizetype(ImportPositionCount));
    QCOMPARE(v.first.at(position), value);
}

void TestImportParsers::lidartsOutcome_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<ImportOutcome>("outcome");

    QTest::newRow("completed") << QByteArray(R"({"status":"completed","p1_legs_won":3})") << ImportOutcome::Ok;
    QTest::newRow("no status") << QByteArray(R"({"p1_legs_won":3})") << ImportOutcome::Ok;
    QTest::newRow("empty object") << QByteArray("{}") << ImportOutcome::Ok;
    QTest::newRow("started") << QByteArray(R"({"status":"started","p1_legs_won":1})") << ImportOutcome::NotFinished;
    QTest::newRow("status case differs") << QByteArray(R"({"status":"Completed"})") << ImportOutcome::NotFinished;
    QTest::newRow("status empty") << QByteArray(R"({"status":""})") << ImportOutcome::NotFinished;
    QTest::newRow("status null") << QByteArray(R"({"status":null})") << ImportOutcome::NotFinished;
    QTest::newRow("empty body") << QByteArray() << ImportOutcome::NoGameData;
    QTest::newRow("html error page") << QByteArray("<html><body>404 Not Found</body></html>")
                                     << ImportOutcome::NoGameData;
    QTest::newRow("array") << QByteArray(R"([{"p1_name":"Anna"}])") << ImportOutcome::NoGameData;
    QTest::newRow("string") << QByteArray(R"("completed")") << ImportOutcome::NoGameData;
    QTest::newRow("cut off") << QByteArray(R"({"status":"completed","p1_name":"An)") << ImportOutcome::NoGameData;

    // The limit: padding after the object is valid JSON, so only the size decides.
    QByteArray fits = QByteArrayLiteral(R"({"p1_name":"Anna"})");
    fits.append(maxReplyBytes - fits.size(), ' ');
    QTest::newRow("exactly 1 MiB") << fits << ImportOutcome::Ok;
    QTest::newRow("one byte over 1 MiB") << fits + ' ' << ImportOutcome::NoGameData;
}

void TestImportParsers::lidartsOutcome() {
    QFETCH(QByteArray, body);
    QFETCH(ImportOutcome, outcome);
    const ImportedValues v = parseLidartsReply(body);
    QCOMPARE(v.outcome, outcome);
    if (outcome != ImportOutcome::Ok) {
        // Nothing is offered.
        QVERIFY(v.first.isEmpty());
        QVERIFY(v.second.isEmpty());
        QVERIFY(v.firstText.isEmpty());
    }
}

void TestImportParsers::relayReply_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("30 lines") << joined(relayLines(), "\n");
    QTest::newRow("with final line break") << joined(relayLines(), "\n") + '\n';
    QTest::newRow("CRLF line ends") << joined(relayLines(), "\r\n") + "\r\n";
    QTest::newRow("more than 30 lines") << joined(relayLines(), "\n") + "\nextra\nlines";
}

void TestImportParsers::relayReply() {
    QFETCH(QByteArray, body);
    const ImportedValues v = parseRelayReply(body);
    QCOMPARE(v.outcome, ImportOutcome::Ok);
    // Positions 0 to 14 only: the relay has no 171+ count.
    QCOMPARE(v.first, QStringList({"Anna", "3", "65.40", "71.00", "2", "5", "7", "10", "4", "6", "2", "1", "81",
                                   "33.33% (3/9)", "18"}));
    QCOMPARE(v.second, QStringList({"Bernd & Co", "1", "48.12", "55.50", "0", "9", "8", "6", "3", "2", "0", "0", "40",
                                    "12.50% (1/8)", "27"}));
    // The name check sees the lines as received.
    QCOMPARE(v.firstName, QStringLiteral("<b>Anna</b>"));
    QCOMPARE(v.secondName, QStringLiteral("Bernd &amp; Co"));
    QCOMPARE(v.firstText, QStringLiteral("Anna\n3\n65.40\n71.00\n2\n5\n7\n10\n4\n6\n2\n1\n81\n33.33% (3/9)\n18\n"));
    QCOMPARE(v.secondText,
             QStringLiteral("Bernd & Co\n1\n48.12\n55.50\n0\n9\n8\n6\n3\n2\n0\n0\n40\n12.50% (1/8)\n27\n"));
}

void TestImportParsers::relayReplyTooShortOrLong() {
    QStringList lines = relayLines();
    QCOMPARE(parseRelayReply(QByteArray()).outcome, ImportOutcome::NoGameData);
    lines.removeLast();
    const ImportedValues shortReply = parseRelayReply(joined(lines, "\n"));
    QCOMPARE(shortReply.outcome, ImportOutcome::NoGameData);
    QVERIFY(shortReply.first.isEmpty());
    QVERIFY(shortReply.second.isEmpty());

    // 29 lines and a final line break split into 30 pieces, the last one empty: the second player's
    // 0-19 count is then empty.
    const ImportedValues emptyLast = parseRelayReply(joined(lines, "\n") + '\n');
    QCOMPARE(emptyLast.outcome, ImportOutcome::Ok);
    QCOMPARE(emptyLast.second.at(PosBelow20), QString());

    QByteArray tooLong = joined(relayLines(), "\n");
    tooLong.append(maxReplyBytes + 1 - tooLong.size(), '\n');
    QCOMPARE(parseRelayReply(tooLong).outcome, ImportOutcome::NoGameData);
    tooLong.chop(1);
    QCOMPARE(parseRelayReply(tooLong).outcome, ImportOutcome::Ok);
}

void TestImportParsers::relayConverterHook() {
    // The dialog can bring its own markup conversion; it sees every value line, never the name check.
    QStringList seen;
    const auto convert = [&seen](const QString& line) {
        seen << line;
        return QLatin1Char('[') + line + QLatin1Char(']');
    };
    const ImportedValues v = parseRelayReply(joined(relayLines(), "\n"), convert);
    QCOMPARE(seen.size(), qsizetype(30));
    QCOMPARE(v.first.at(PosName), QStringLiteral("[<b>Anna</b>]"));
    QCOMPARE(v.second.at(PosDoubles), QStringLiteral("[12.50% (1/8)]"));
    QCOMPARE(v.firstName, QStringLiteral("<b>Anna</b>"));
}

void TestImportParsers::markupToPlainText_data() {
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << "Anna"
                           << "Anna";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("bold") << "<b>Anna</b>"
                          << "Anna";
    QTest::newRow("link with > in an attribute")
        << R"(<a href="https://example.org/?a=1&b=2" title='a>b'>Anna</a> Maria)"
        << "Anna Maria";
    QTest::newRow("white space collapsed and trimmed") << "  Anna \t  Maria  "
                                                       << "Anna Maria";
    QTest::newRow("inline elements join") << "<span>An</span><span>na</span>"
                                          << "Anna";
    QTest::newRow("named references") << "Bernd &amp; J&uuml;rgen &lt;3&gt;"
                                      << QStringLiteral("Bernd & J\u00fcrgen <3>");
    QTest::newRow("numeric references") << "&#74;&#x75;&#X72;gen"
                                        << "Jurgen";
    QTest::newRow("no-break space") << "M&uuml;ller&nbsp;Jr" << QStringLiteral("M\u00fcller Jr");
    QTest::newRow("lone ampersand and unknown name") << "AT&T &bogus; a&b"
                                                     << "AT&T &bogus; a&b";
    QTest::newRow("lone less-than") << "a < b"
                                    << "a < b";
    QTest::newRow("comment") << "<!-- rank 3 -->Anna"
                             << "Anna";
    QTest::newRow("style and script") << "<style>b { color: red }</style>Anna<script>if (a<b) x();</script>"
                                      << "Anna";
    QTest::newRow("line break") << "Anna<br>Maria<br/>Jr"
                                << "Anna\nMaria\nJr";
    QTest::newRow("paragraphs") << "<p>Anna</p>\n<p>Maria</p>"
                                << "Anna\nMaria";
    QTest::newRow("upper-case tags") << "<B>Anna</B><BR>X"
                                     << "Anna\nX";
}

void TestImportParsers::markupToPlainText() {
    QFETCH(QString, html);
    QFETCH(QString, text);
    QCOMPARE(tavorin::markupToPlainText(html), text);
}

void TestImportParsers::nameCheck_data() {
    QTest::addColumn<QString>("platformFirst");
    QTest::addColumn<QString>("platformSecond");
    QTest::addColumn<QString>("formLeft");
    QTest::addColumn<QString>("formRight");
    QTest::addColumn<NameOrder>("order");
    QTest::newRow("in order") << "Anna"
                              << "Bernd"
                              << "Anna"
                              << "Bernd" << NameOrder::InOrder;
    QTest::newRow("crossed") << "Bernd"
                             << "Anna"
                             << "Anna"
                             << "Bernd" << NameOrder::Crossed;
    QTest::newRow("case differs") << "anna"
                                  << "Bernd"
                                  << "Anna"
                                  << "Bernd" << NameOrder::Mismatch;
    QTest::newRow("case differs, crossed") << "Bernd"
                                           << "ANNA"
                                           << "Anna"
                                           << "Bernd" << NameOrder::Mismatch;
    QTest::newRow("one name only") << "Anna"
                                   << "Carl"
                                   << "Anna"
                                   << "Bernd" << NameOrder::Mismatch;
    QTest::newRow("both on one side") << "Anna"
                                      << "Anna"
                                      << "Anna"
                                      << "Bernd" << NameOrder::Mismatch;
    QTest::newRow("trailing blank") << "Anna "
                                    << "Bernd"
                                    << "Anna"
                                    << "Bernd" << NameOrder::Mismatch;
    QTest::newRow("markup as received") << "<b>Anna</b>"
                                        << "Bernd"
                                        << "Anna"
                                        << "Bernd" << NameOrder::Mismatch;
    QTest::newRow("same name twice") << "Anna"
                                     << "Anna"
                                     << "Anna"
                                     << "Anna" << NameOrder::InOrder;
}

void TestImportParsers::nameCheck() {
    QFETCH(QString, platformFirst);
    QFETCH(QString, platformSecond);
    QFETCH(QString, formLeft);
    QFETCH(QString, formRight);
    QFETCH(NameOrder, order);
    QCOMPARE(checkNames(platformFirst, platformSecond, formLeft, formRight), order);
}

void TestImportParsers::crossedOrderExchangesSides() {
    // Lidarts lists Bernd first; the form has Anna on the left.
    ImportedValues v =
        parseLidartsReply(R"({"p1_name":"Bernd","p2_name":"Anna","p1_legs_won":1,"p2_legs_won":3,"p2_171":2})");
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
    QTest::newRow("lidarts text") << "33.33% (2/6)\n"
                                  << "2"
                                  << "6";
    QTest::newRow("relay text") << "33.33% (2/6)"
                                << "2"
                                << "6";
    QTest::newRow("nothing thrown") << "0.00% (0/0)\n"
                                    << "0"
                                    << "0";
    QTest::newRow("blanks kept") << "50% ( 1 / 2 )"
                                 << " 1 "
                                 << " 2 ";
    QTest::newRow("thrown missing") << "(2/)"
                                    << "2"
                                    << "";
    QTest::newRow("extra slash") << "(2/6/8)"
                                 << "2"
                                 << "6";
    QTest::newRow("rate only") << "33.33%"
                               << ""
                               << "";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
    QTest::newRow("no parentheses") << "2/6"
                                    << ""
                                    << "";
    QTest::newRow("no slash") << "33.33% (2-6)"
                              << ""
                              << "";
    QTest::newRow("no closing parenthesis") << "33.33% (2/6"
                                            << ""
                                            << "";
    QTest::newRow("no opening parenthesis") << "33.33% 2/6)"
                                            << ""
                                            << "";
    QTest::newRow("first parentheses count") << "n/a (x) (2/6)"
                                             << ""
                                             << "";
}

void TestImportParsers::doublesSplit() {
    QFETCH(QString, text);
    QFETCH(QString, hit);
    QFETCH(QString, thrown);
    const DoublesFigures figures = splitDoublesText(text);
    QCOMPARE(figures.hit, hit);
    QCOMPARE(figures.thrown, thrown);
}

void TestImportParsers::legTotal_data() {
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");
    QTest::addColumn<qint64>("total");
    QTest::newRow("3:1") << QStringList{"Anna", "3"} << QStringList{"Bernd", "1"} << qint64(4);
    QTest::newRow("0:0") << QStringList{"Anna", "0"} << QStringList{"Bernd", "0"} << qint64(0);
    QTest::newRow("not a number counts 0") << QStringList{"Anna", "3.5"} << QStringList{"Bernd", "2"} << qint64(2);
    QTest::newRow("empty lists") << QStringList() << QStringList() << qint64(0);
    QTest::newRow("name only") << QStringList{"Anna"} << QStringList{"Bernd", "1"} << qint64(1);
    QTest::newRow("negative") << QStringList{"Anna", "-1"} << QStringList{"Bernd", "1"} << qint64(0);
    QTest::newRow("no overflow") << QStringList{"Anna", "2147483647"} << QStringList{"Bernd", "2147483647"}
                                 << qint64(4294967294);
}

void TestImportParsers::legTotal() {
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    QFETCH(qint64, total);
    QCOMPARE(importedLegTotal(first, second), total);
}

QTEST_GUILESS_MAIN(TestImportParsers)
#include "tst_import_parsers.moc"
