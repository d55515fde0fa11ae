// Opening the three forum-code windows on a league of 20 members with double round robin and every result
// stored (380 matches), in each format: from building the window to its first drawing with its code,
// against generating that code alone (the read and the builder) in the same run. The preview follows a
// pause after the window is shown; its rendering is printed beside, with what opening with the preview
// rendered at once would take.
#include "db/leaguesession.h"
#include "db/sqlitestore.h"
#include "export/bbpreview.h"
#include "export/forumcodewindow.h"
#include "results/standings.h"
#include "season.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextEdit>

#include <algorithm>
#include <cstdio>
#include <ctime>

using namespace tavorin;

namespace {

constexpr int repeats = 10;

QString codeAlone(db::LeagueStore& store, int number, const ExportOptions& common) {
    TableCodeOptions table;
    static_cast<ExportOptions&>(table) = common;
    table.alignment = CellAlignment::Left;
    ScheduleCodeOptions schedule;
    static_cast<ExportOptions&>(schedule) = common;
    if (number == 1)
        return leagueTableCode(store.rankedLeagueTable(1, Points{}), table);
    if (number == 2)
        return statisticsCode(store.statistics(1), table);
    return scheduleCode(store.scheduleForExport(1), schedule, PlatformAddresses());
}

// Opens window `number` in `format` and prints its figures.
void measure(int number, const char* format, ForumCodeContext& context) {
    ExportSettings& settings = *context.settings;
    settings.format1 = settings.format2 = settings.format3 = QLatin1StringView(format);
    const ForumCodeWindowKind& kind = ForumCodeWindowKind::of(number);
    QString code;
    // Also as processor time, which other programs running at the same time disturb less.
    double openingCpu = -1;
    const double opening = bestOf(repeats, [&] {
        const std::clock_t start = std::clock();
        ForumCodeWindow w(kind, context, nullptr);
        w.writeCode();
        w.show();
        w.grab();
        const double cpu = 1000.0 * double(std::clock() - start) / CLOCKS_PER_SEC;
        openingCpu = openingCpu < 0 ? cpu : std::min(openingCpu, cpu);
        code = w.controls().code->toPlainText();
    });
    ExportOptions common;
    common.format = settings.format1 == QLatin1StringView("html") ? CodeFormat::Html : CodeFormat::BBCode;
    const double alone = bestOf(repeats, [&] { codeAlone(context.session->store(), number, common); });
    const double preview = bestOf(repeats, [&] {
        QTextEdit e;
        e.setHtml(common.format == CodeFormat::Html ? code : bbCodeToHtml(code));
        e.resize(580, 300);
        e.grab();
    });
    const QString name = kind.title + QLatin1Char(' ') + QLatin1StringView(format);
    std::printf("%-20s %12.2f %10.2f %12.2f %8.2f %12.2f %14.2f\n", qPrintable(name), opening, openingCpu, alone,
                opening / alone, preview, opening + preview);
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    buildSeason(dir.filePath(QStringLiteral("season.db")), 1, 20, 0);
    db::LeagueSession session;
    session.storeAs<db::SqliteStore>()->open(dir.filePath(QStringLiteral("season.db")));
    ExportSettings settings;
    ForumCodeContext context;
    context.settings = &settings;
    context.configPath = dir.filePath(QStringLiteral("config.ini"));
    context.today = QStringLiteral("06.12.2026");
    context.session = &session;
    context.league = 1;
    context.leagueName = QStringLiteral("Liga 1");

    std::printf("Forum-code windows of a league of 20 members, double round robin, every result stored\n");
    std::printf("%-20s %12s %10s %12s %8s %12s %14s\n", "window", "opening ms", "(cpu ms)", "code ms", "ratio",
                "preview ms", "at once ms");
    for (int number = 1; number <= 3; ++number) {
        for (const char* format : {"html", "bbcode"})
            measure(number, format, context);
    }
    std::printf("aim: opening under 100 ms; preview and \"at once\" (opening with the preview rendered at once, as\n"
                "before) for comparison\n");
    return 0;
}
