// Reading the largest replies the import accepts, with all of the size in the first player's name (the field
// that once froze the import window for a minute): the program's parser against the bare reading of the
// same bytes (JSON parse for Lidarts, UTF-8 decode and line split for the relay), in the same run. The
// outcome is printed too: a name that long is refused, so nothing of it is ever shown.
#include "import/platformreplies.h"
#include "season.h"

#include <QCoreApplication>
#include <QJsonDocument>

#include <algorithm>
#include <cstdio>

using namespace tavorin;

namespace {

constexpr int repeats = 5;

const char game[] = R"({"status":"completed","p1_name":"NAME","p2_name":"Bernd","p1_legs_won":3,"p2_legs_won":1,)"
                    R"("p1_match_avg":65.4,"p2_match_avg":48.1,"p1_darts_thrown_double":9,"p2_darts_thrown_double":8})";

const char relay[] = "NAME\n3\n65.40\n71.00\n33.33% (3/9)\n81\n18\n1\n2\n6\n4\n10\n7\n5\n2\n"
                     "Bernd\n1\n48.12\n55.50\n12.50% (1/8)\n40\n27\n0\n0\n2\n3\n6\n8\n9\n0";

// `reply` with `unit` as its first name, repeated to make the reply `size` bytes long.
QByteArray filled(const char* reply, const QByteArray& unit, qsizetype size = 0) {
    QByteArray body(reply);
    const qsizetype times = std::max<qsizetype>(1, (size - body.size() + 4) / unit.size());
    return body.replace("NAME", unit.repeated(times));
}

void row(const char* what, bool lidarts, const QByteArray& body) {
    ImportedValues result;
    const double program = bestOf(repeats, [&] {
        result = lidarts ? parseLidartsReply(body, QDeadlineTimer(std::chrono::seconds(15))) : parseRelayReply(body);
    });
    const double bare = bestOf(repeats, [&] {
        if (lidarts)
            QJsonDocument::fromJson(body);
        else
            static_cast<void>(QString::fromUtf8(body).split(QLatin1Char('\n')));
    });
    std::printf("%s (%lld bytes)\n", what, static_cast<long long>(body.size()));
    std::printf("  program's parser: %8.2f ms, %s\n", program,
                result.outcome == ImportOutcome::Ok ? "values offered" : qPrintable(result.reason));
    std::printf("  bare reading:     %8.2f ms\n", bare);
    std::printf("  ratio:            %8.2f (aim: at most 20; the window must answer within 500 ms)\n", program / bare);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QByteArray markup = "<b>x</b>";
    row("Lidarts, a usual game", true, filled(game, "Anna"));
    row("Lidarts, 512 KiB of markup in the name", true, filled(game, markup, 512 * 1024));
    row("Lidarts, 1 MiB of one word in the name", true, filled(game, "x", maxReplyBytes));
    row("Relay, 1 MiB of markup in the name", false, filled(relay, markup, maxReplyBytes));
    row("Relay, 1 MiB of ampersands in the name", false, filled(relay, "&", maxReplyBytes));
    return 0;
}
